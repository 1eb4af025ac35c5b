# The two Quick-start commands of the README, and the pieces behind them.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= 2
SAMPLE      = $(BUILD)/sample/vellumor-sample.pdf

FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60

.PHONY: deps build build-asan build-fuzz demo test test-fast test-asan bench fuzz clean

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

# Fuzzes every target for FUZZ_SECONDS, starting from its seeds (libFuzzer, clang);
# findings are written into $(FUZZ_BUILD)/findings.
build-fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLUMOR_FUZZ=ON -DVELLUMOR_TESTS=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

fuzz: build-fuzz
	@mkdir -p $(FUZZ_BUILD)/findings
	@for f in $(FUZZ_BUILD)/bin/fuzz_*; do \
	  kind=$${f##*/fuzz_}; mkdir -p $(FUZZ_BUILD)/corpus/$$kind; \
	  echo "fuzzing $$kind for $(FUZZ_SECONDS) s"; \
	  LSAN_OPTIONS=suppressions=fuzz/lsan.supp $$f -max_total_time=$(FUZZ_SECONDS) -timeout=30 -close_fd_mask=2 -rss_limit_mb=4096 -artifact_prefix=$(FUZZ_BUILD)/findings/$$kind- \
	    $(FUZZ_BUILD)/corpus/$$kind fuzz/seeds/$$kind || exit 1; \
	done

bench: build
	@for b in $(BUILD)/bin/bench_*; do [ -x "$$b" ] && "$$b"; done; true

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) out
