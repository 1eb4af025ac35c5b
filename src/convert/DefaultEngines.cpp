// The engines a real conversion runs.
//
// Until the RTF engine exists, a stand-in keeps the job's page loop whole: an RTF
// with one empty section per converted page.
#include <OutputDev.h>

#include <cstdio>
#include <fstream>

#include "convert/ConvertEngines.h"
#include "convert/CConvertPara.h"
#include "extract/HtmlOutputDev.h"

namespace {

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
        auto device = std::make_unique<HtmlOutputDev>(
            spec.outputName.c_str(), spec.title.c_str(), spec.author.c_str(), spec.keywords.c_str(),
            spec.subject.c_str(), spec.date.c_str(), spec.imageExtension.c_str(), spec.rawOrder, spec.firstPage,
            spec.outline);
        if (!device->isOk()) return nullptr;
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
