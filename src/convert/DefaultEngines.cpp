// The engines a real conversion runs.
//
// Until the extraction device exists, a stand-in keeps the job's files and page
// loops whole: an XML with one empty element per page.
#include <OutputDev.h>

#include <cstdio>
#include <fstream>

#include "convert/ConvertEngines.h"
#include "convert/CConvertPara.h"
#include "rtf/CRtfDocument.h"
#include "rtf/FontNameMapping.h"

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

ConvertEngines MakeDefaultEngines() {
    ConvertEngines e;
    e.makeTextDevice = [](const TextDeviceSpec& spec) -> std::unique_ptr<OutputDev> {
        auto device = std::make_unique<PageSkeletonDevice>(spec.outputName + ".xml");
        if (!device->ok()) return nullptr;
        return device;
    };
    e.createRtfDocument = [](const std::string& xmlPath, const CConvertPara& para) -> std::unique_ptr<IRtfDocument> {
        SetFontMapKey(para.fontMapKey);
        return CRtfDocument::Create(xmlPath, para.rtfPath);
    };
    return e;
}

}  // namespace

const ConvertEngines& DefaultEngines() {
    static const ConvertEngines engines = MakeDefaultEngines();
    return engines;
}
