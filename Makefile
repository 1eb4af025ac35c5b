# The two Quick-start commands of the README, and the pieces behind them.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= 2
SAMPLE      = $(BUILD)/sample/vellumor-sample.pdf

.PHONY: deps build build-asan demo test test-fast test-asan bench clean

deps:
	scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVELLUMOR_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)

# Converts the bundled sample into out/, in the default layout.
demo: build
	$(BUILD)/bin/vellumor-convert -o out $(SAMPLE)
	@echo "Result: out/vellumor-sample.rtf"

# Every test, then every test again under AddressSanitizer and UndefinedBehaviorSanitizer
# (the LibreOffice round trips, labelled "office", run once, in the plain build).
test: test-fast test-asan

test-fast: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-asan: build-asan
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 LSAN_OPTIONS=print_suppressions=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS) -LE office

bench: build
	@for b in $(BUILD)/bin/bench_*; do [ -x "$$b" ] && "$$b"; done; true

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) out
