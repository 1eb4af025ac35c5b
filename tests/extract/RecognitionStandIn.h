#pragma once
// A recognition that answers what the test tells it and remembers what it was asked.
#include <vector>

#include "extract/PageRecognition.h"

namespace extracttest {

struct RecognitionStandIn : IPageRecognition {
    PageTextSource source = PageTextSource::Own;
    std::vector<RecognisedWord> words;  // given for every page recognised
    std::vector<PageTextFacts> asked;
    std::vector<int> recognisedPages;

    PageTextSource Choose(const PageTextFacts& facts) override {
        asked.push_back(facts);
        return source;
    }
    std::vector<RecognisedWord> Recognise(int page) override {
        recognisedPages.push_back(page);
        return words;
    }
};

// A word of the recognizer on a baseline, its size in XML units.
inline RecognisedWord Word(const char* text, double left, double right, double baseline, double size,
                           bool serif = true, bool monospace = false) {
    return RecognisedWord{.text = text,
                          .left = left,
                          .top = baseline - 0.75 * size,
                          .right = right,
                          .bottom = baseline + 0.25 * size,
                          .baseline = baseline,
                          .size = size,
                          .serif = serif,
                          .monospace = monospace};
}

}  // namespace extracttest
