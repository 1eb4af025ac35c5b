#include <gtest/gtest.h>

#include <filesystem>

#include "app/DefaultEngines.h"
#include "convert/ConversionJob.h"
#include "convert/MyConvertPara.h"
#include "support/PdfWriter.h"
#include "support/RtfText.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using testpdf::Cipher;
using testpdf::TempDir;

namespace {

// A three-page document locked with the user password "reader" and the owner password "keeper".
class EncryptedSource : public ::testing::TestWithParam<Cipher> {
protected:
    void SetUp() override {
        std::string plain = dir / "plain.pdf";
        testpdf::NumberedPages(3).Save(plain);
        ASSERT_TRUE(testpdf::Encrypt(plain, dir / "locked.pdf", "reader", "keeper", GetParam()));
    }
    // Converts in `mode` with `password`; the RTF's text, or empty when there is none.
    std::string Convert(int mode, const std::string& password, const std::string& pages = {}) {
        para.inputPath = dir / "locked.pdf";
        para.outputDir = dir / "out";
        fs::create_directories(para.outputDir);
        para.jobMode = mode;
        para.password = password;
        para.pages.Select(pages);
        ConvertFile(para);
        std::string rtf = dir / "out/locked.rtf";
        return fs::exists(rtf) ? testpdf::RtfPlainText(testpdf::ReadFile(rtf)) : std::string();
    }

    TempDir dir;
    MyConvertPara para;
};

TEST_P(EncryptedSource, OwnerAndUserPasswordEachGiveEveryWordInEveryLayout) {
    for (const char* password : {"reader", "keeper"})
        for (int mode : {ModeFlowingText, ModeAsIs, ModeFormattedText, ModeTextOnly}) {
            SCOPED_TRACE(std::string(password) + ", mode " + std::to_string(mode));
            std::string text = Convert(mode, password);
            EXPECT_EQ(para.jobResult, ResultDone);
            for (int page = 1; page <= 3; ++page)
                EXPECT_NE(text.find("Page " + std::to_string(page) + " of the test document"), std::string::npos)
                    << text;
        }
}

TEST_P(EncryptedSource, PageCountAcceptsEitherPassword) {
    std::string path = dir / "locked.pdf";
    EXPECT_EQ(PageCount(path, nullptr), -1);
    for (std::string password : {"reader", "keeper"}) EXPECT_EQ(PageCount(path, &password), 3) << password;
    std::string wrong = "intruder";
    EXPECT_EQ(PageCount(path, &wrong), 0);
}

TEST_P(EncryptedSource, WrongPasswordFailsEveryJobAndLeavesNoResult) {
    for (int mode : {ModeFlowingText, ModeAsIs, ModeFormattedText, ModeTextOnly, ModeExtractImages}) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        Convert(mode, "intruder");
        EXPECT_EQ(para.jobResult, ResultWrongPassword);
        EXPECT_TRUE(fs::is_empty(dir / "out"));
        EXPECT_FALSE(fs::exists(para.workDir));
    }
}

TEST_P(EncryptedSource, ImageJobOpensWithTheOwnerPassword) {
    Convert(ModeExtractImages, "keeper");
    EXPECT_EQ(para.jobResult, ResultDone);
    EXPECT_EQ(para.lastPage, 3);
}

INSTANTIATE_TEST_SUITE_P(Ciphers, EncryptedSource, ::testing::Values(Cipher::Aes256, Cipher::Rc4),
                         [](const auto& info) { return info.param == Cipher::Aes256 ? "Aes256" : "Rc4"; });

TEST(ResultWithoutPages, IsNeverLeftBehindAsASuccess) {
    TempDir dir;
    testpdf::NumberedPages(2).Save(dir / "short.pdf");
    MyConvertPara para;
    para.inputPath = dir / "short.pdf";
    para.outputDir = dir.path();
    para.jobMode = ModeFormattedText;
    para.pages.SelectListed("7-9");
    ConvertFile(para);
    EXPECT_EQ(para.jobResult, ResultNoPageWritten);
    EXPECT_FALSE(fs::exists(dir / "short.rtf"));
}

}  // namespace

namespace {

TEST(ResultThatCannotBeWritten, FailsInsteadOfPassingForWritten) {
    TempDir dir;
    testpdf::NumberedPages(2).Save(dir / "doc.pdf");
    fs::create_directory(dir / "scratch");
    // Every byte written there is refused, as on a full disk.
    fs::create_symlink("/dev/full", dir / "scratch/doc.rtf");
    MyConvertPara para;
    para.inputPath = dir / "doc.pdf";
    para.outputDir = dir.path();
    para.rtfDir = dir / "scratch";
    para.jobMode = ModeFormattedText;
    ConvertFile(para);
    EXPECT_EQ(para.jobResult, ResultCannotWrite);
}

}  // namespace
