#include "support/ConvertInDir.h"

#include <gtest/gtest.h>

#include "app/DefaultEngines.h"
#include "convert/MyConvertPara.h"

namespace testpdf {

std::string ConvertInDir(const TempDir& dir, const std::string& name, int mode, bool keepLines) {
    MyConvertPara para;
    para.inputPath = dir / (name + ".pdf");
    para.outputDir = dir.path();
    para.jobMode = mode;
    para.keepLines = keepLines;
    EXPECT_EQ(ConvertFile(para), 0);
    return ReadFile(dir / (name + ".rtf"));
}

}  // namespace testpdf
