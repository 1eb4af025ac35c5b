#include "app/OcrLanguageCheck.h"

#include "convert/CConvertPara.h"
#include "platform/TextRecognition.h"

std::string OcrLanguageProblem(const CConvertPara& para) {
    if (para.jobMode == ModeExtractImages || para.ocrMode == OcrNever) return {};
    if (para.ocrLanguages.empty() && para.ocrMode != OcrAlways) return {};
    const std::string languages = para.ocrLanguages.empty() ? platform::DefaultOcrLanguages() : para.ocrLanguages;
    return platform::MissingOcrLanguage(languages);
}
