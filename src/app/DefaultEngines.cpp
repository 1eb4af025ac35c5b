// The engines a real conversion runs.
#include "app/DefaultEngines.h"

#include <OutputDev.h>

#include <filesystem>

#include "app/RtfEngine.h"
#include "convert/CConvertPara.h"
#include "convert/CRtf2Doc.h"
#include "extract/HtmlOutputDev.h"
#include "pagegraphics/PageGraphicsPass.h"
#include "rtf/FontNameMapping.h"

namespace fs = std::filesystem;

namespace {

ConvertEngines MakeDefaultEngines() {
    ConvertEngines e;
    e.makeTextDevice = [](const TextDeviceSpec& spec) -> std::unique_ptr<OutputDev> {
        auto device = std::make_unique<HtmlOutputDev>(
            spec.outputName.c_str(), spec.author.c_str(), spec.keywords.c_str(), spec.subject.c_str(),
            spec.date.c_str(), spec.rawOrder);
        if (!device->isOk()) return nullptr;
        device->SetPageRecognition(spec.recognition);
        return device;
    };
    e.createRtfDocument = [](const std::string& xmlPath, const CConvertPara& para) -> std::unique_ptr<IRtfDocument> {
        SetFontMapKey(para.fontMapKey);
        auto engine = RtfEngine::Create(xmlPath, para.rtfPath);
        if (engine) {
            engine->Document().removeImages = para.removeImages == 1;
            engine->Document().keepLines = para.keepLines;
        }
        return engine;
    };
    e.pageGraphics = &pagegraphics::RunPageGraphicsPass;
    e.pageDrawings = &pagegraphics::RenderPendingDrawings;
    return e;
}

}  // namespace

const ConvertEngines& DefaultEngines() {
    static const ConvertEngines engines = MakeDefaultEngines();
    return engines;
}

int ConvertFile(CConvertPara& para) { return ConvertFile(para, DefaultEngines()); }

WorkerSteps DefaultWorkerSteps() {
    WorkerSteps steps;
    steps.convert = [](CConvertPara& para) { ConvertFile(para, DefaultEngines()); };
    steps.saveAsDoc = [](const std::string& rtf, const std::string& doc, std::string& why,
                         const std::atomic<int32_t>* stop) {
        CRtf2Doc word;
        std::error_code ec;
        if (!word.Convert(rtf, doc, stop)) {
            why = CRtf2Doc::MissingMessage();
            return false;
        }
        if (!fs::exists(doc, ec)) {
            why = "LibreOffice could not save it as " + fs::path(doc).extension().string().substr(1);
            if (!word.problem.empty()) why += " (" + word.problem + ")";
            return false;
        }
        return true;
    };
    return steps;
}
