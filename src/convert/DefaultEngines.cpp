// The engines a real conversion runs.
//
// Until the extraction device and the RTF engine exist, stand-ins keep the job's
// files and page loops whole: an XML with one empty element per page, and an RTF
// with one empty section per converted page.
#include <OutputDev.h>

#include <cstdio>
#include <fstream>

#include "convert/ConvertEngines.h"
#include "convert/CConvertPara.h"

namespace {

class PageSkeletonDevice : public OutputDev {
public:
    explicit PageSkeletonDevice(const std::string& path) : out_(path) {
        out_ << "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<pdf2xml>\n";
    }
    ~PageSkeletonDevice() override { out_ << "</pdf2xml>\n"; }
    bool ok() const { return static_cast<bool>(out_); }
    bool upsideDown() override { return true; }
    bool useDrawChar() override { return false; }
    bool interpretType3Chars() override { return false; }
    void startPage(int pageNum, GfxState*, XRef*) override {
        out_ << "<page number=\"" << pageNum << "\">\n</page>\n";
    }

private:
    std::ofstream out_;
};

class EmptyPagesRtf : public IRtfDocument {
public:
    explicit EmptyPagesRtf(std::string path) : path_(std::move(path)) {}
    ~EmptyPagesRtf() override {
        if (out_.is_open()) out_ << "}\n";
    }
    bool OpenRtf() override {
        out_.open(path_, std::ios::binary | std::ios::trunc);
        out_ << "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}\n";
        return static_cast<bool>(out_);
    }
    void SetLayoutMode(int) override {}
    bool ReadPage(int) override { return true; }
    void AddGraphics(CGraphicsList&) override {}
    bool WritePage(unsigned char) override {
        if (pages_++ > 0) out_ << "\\sect\n";
        out_ << "\\pard\\par\n";
        return static_cast<bool>(out_);
    }

private:
    std::string path_;
    std::ofstream out_;
    int pages_ = 0;
};

ConvertEngines MakeDefaultEngines() {
    ConvertEngines e;
    e.makeTextDevice = [](const TextDeviceSpec& spec) -> std::unique_ptr<OutputDev> {
        auto device = std::make_unique<PageSkeletonDevice>(spec.outputName + ".xml");
        if (!device->ok()) return nullptr;
        return device;
    };
    e.createRtfDocument = [](const std::string& xmlPath, const CConvertPara& para) -> std::unique_ptr<IRtfDocument> {
        if (!std::ifstream(xmlPath)) return nullptr;
        return std::make_unique<EmptyPagesRtf>(para.rtfPath);
    };
    return e;
}

}  // namespace

const ConvertEngines& DefaultEngines() {
    static const ConvertEngines engines = MakeDefaultEngines();
    return engines;
}
