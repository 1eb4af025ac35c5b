// fuzz_pdf: arbitrary bytes as a PDF through the whole text conversion, in a
// layout chosen by the first byte.
#include <cstdint>

#include "app/DefaultEngines.h"
#include "FuzzScratch.h"
#include "convert/ConversionJob.h"
#include "convert/MyConvertPara.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    static const int modes[] = {ModeFlowingText, ModeAsIs, ModeFormattedText, ModeTextOnly};
    MyConvertPara para;
    para.inputPath = fuzz::WriteInput("input.pdf", data + 1, size - 1);
    para.outputDir = fuzz::ScratchDir();
    para.jobMode = modes[data[0] % 4];
    ConvertFile(para);
    return 0;
}
