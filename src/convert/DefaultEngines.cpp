// The engines a real conversion runs.
#include <OutputDev.h>

#include "convert/ConvertEngines.h"
#include "convert/CConvertPara.h"
#include "extract/HtmlOutputDev.h"
#include "pagegraphics/PageGraphicsPass.h"
#include "rtf/CRtfDocument.h"
#include "rtf/FontNameMapping.h"

namespace {

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
        SetFontMapKey(para.fontMapKey);
        return CRtfDocument::Create(xmlPath, para.rtfPath);
    };
    e.pageGraphics = &pagegraphics::RunPageGraphicsPass;
    return e;
}

}  // namespace

const ConvertEngines& DefaultEngines() {
    static const ConvertEngines engines = MakeDefaultEngines();
    return engines;
}
