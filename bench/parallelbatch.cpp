// The parallel batch: four copies of the corpus book converted one at a time
// and two at a time; on a two-processor machine two at a time should take at
// most 0.6 of the time.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

int main() {
    std::string corpus = testpdf::CorpusDir();
    std::string book = corpus.empty() ? std::string() : corpus + "/GeoTopo-komprimiert.pdf";
    if (book.empty() || !fs::exists(book)) {
        std::printf("bench_parallelbatch: the corpus book is missing; nothing measured\n");
        return 0;
    }
    testpdf::TempDir dir;
    std::vector<std::string> copies;
    for (int i = 1; i <= 4; ++i) {
        copies.push_back(dir / ("book" + std::to_string(i) + ".pdf"));
        fs::copy_file(book, copies.back());
    }
    double seconds[3] = {};
    for (int jobs : {1, 2}) {
        std::vector<std::string> argv = {testpdf::ConvertProgram(), "-q", "-j", std::to_string(jobs), "-o",
                                         dir / ("out" + std::to_string(jobs))};
        argv.insert(argv.end(), copies.begin(), copies.end());
        auto start = std::chrono::steady_clock::now();
        auto r = testpdf::RunProgram(argv);
        seconds[jobs] = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (r.status != 0) std::printf("bench_parallelbatch: -j %d failed: %s\n", jobs, r.errors.c_str());
    }
    std::printf("parallel batch, 4 x 117-page book (flowing): -j 1 %.2f s, -j 2 %.2f s, ratio %.2f (target <= 0.60)\n",
                seconds[1], seconds[2], seconds[1] > 0 ? seconds[2] / seconds[1] : 0.0);
    return 0;
}
