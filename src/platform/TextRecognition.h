#pragma once
// Recognising the words of a page image with Tesseract: its words with their
// boxes, baselines, sizes and confidence, and the regions its layout analysis
// takes for pictures. One recognizer serves one thread.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// Grey pixels, one byte each (0 black), rows `stride` bytes apart; borrowed.
struct GreyImage {
    const unsigned char* data = nullptr;
    int width = 0, height = 0;
    size_t stride = 0;
    int dpi = 300;
};

// Pixels of the image given, y downward.
struct PixelBox {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct RecognisedWord {
    std::string text;  // UTF-8
    PixelBox box;
    int baseline = 0;        // y of the word's baseline
    double size = 0;         // the font size the line was set in, in pixels (a 12-point line at 300 dpi: 50)
    double confidence = 0;   // 0 to 100, as Tesseract reports it
    int line = 0;            // words of one text line share it, in reading order
    int block = 0;           // likewise for the text block (a column, a caption)
    bool serif = true;       // Tesseract's font hint, where it gives one; a serif face otherwise
    bool monospace = false;
};

struct RecognisedPage {
    std::vector<RecognisedWord> words;  // in reading order
    std::vector<PixelBox> pictures;     // regions the layout analysis takes for pictures, not text
    double skewDegrees = 0;             // the turn taken out of the words' places; clockwise positive
    bool cancelled = false;             // stopped before its end: the words are incomplete
};

// Tesseract's names of the installed language data ("eng", "deu", ...), without "osd".
std::vector<std::string> InstalledOcrLanguages();
// The installed languages of the user's locale (LC_ALL, LC_MESSAGES, LANG), else "eng".
std::string DefaultOcrLanguages();
// Tesseract's plain names joined by "+", none empty ("eng+chi_sim"): a name with a
// path in it ("script/Latin") would reach outside the language folder.
bool ValidOcrLanguageList(const std::string& languages);
// Empty when every language of `languages` ("eng+deu") is installed; otherwise
// the message for the user, naming the Debian package that brings the first
// missing one ("tesseract-ocr-deu").
std::string MissingOcrLanguage(const std::string& languages);

class TextRecognizer {
public:
    explicit TextRecognizer(const std::string& languages);
    ~TextRecognizer();
    TextRecognizer(const TextRecognizer&) = delete;
    TextRecognizer& operator=(const TextRecognizer&) = delete;

    // False when Tesseract could not start with the languages; Problem() says why.
    bool Ready() const;
    const std::string& Problem() const;
    // The page's words; on a page turned by a few degrees they are placed as on
    // the page turned level about its middle. `cancel` is looked at
    // while it runs.
    RecognisedPage Recognise(const GreyImage& image, const std::atomic<int32_t>* cancel = nullptr);

private:
    struct Engine;
    std::unique_ptr<Engine> engine_;
    std::string problem_;
};

}  // namespace platform
