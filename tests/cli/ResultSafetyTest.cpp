// What the user already has is never lost to a failure passed off as success: a
// word processor's result cut short, links planted at a result's name, pages
// larger than a word processor's.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

#include "platform/ChildProcess.h"
#include "support/OfficeFiles.h"
#include "support/PdfWriter.h"
#include "support/RtfText.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using namespace testpdf;

namespace {

std::string CompoundFile() { return MinimalCompoundFile(); }

class ResultSafety : public ::testing::Test {
protected:
    void SetUp() override {
        tmp = dir / "tmp";
        fs::create_directories(tmp);
        fs::create_directories(dir / "office-bin");
        WriteFile(dir / "whole.doc", CompoundFile());
        WriteFile(dir / "half.doc", CompoundFile().substr(0, 4096));
    }
    // A stand-in word processor that writes `fixture` as its result and reports success.
    void Office(const std::string& fixture) {
        const std::string path = dir / "office-bin/soffice";
        WriteFile(path, "#!/bin/sh\nout=; prev=; for a in \"$@\"; do [ \"$prev\" = --outdir ] && out=$a; prev=$a; last=$a; "
                        "done\ncp '" + (dir / fixture) + "' \"$out/$(basename \"$last\" .rtf).doc\"\nexit 0\n");
        fs::permissions(path, fs::perms::owner_all);
    }
    platform::ProcessResult Convert(std::vector<std::string> args) {
        std::vector<std::string> argv = {"env", "TMPDIR=" + tmp, "PATH=" + (dir / "office-bin") + ":/usr/bin:/bin",
                                         ConvertProgram()};
        argv.insert(argv.end(), args.begin(), args.end());
        return RunProgram(argv, dir.path());
    }
    TempDir dir;
    std::string tmp;
};

}  // namespace

TEST_F(ResultSafety, ADocCutShortFailsAndTheEarlierDocStays) {
    NumberedPages(1).Save(dir / "words.pdf");
    Office("whole.doc");
    auto r = Convert({"-q", "-f", "doc", "-m", "text", "-o", "out", "words.pdf"});
    ASSERT_EQ(r.status, 0) << r.errors;
    ASSERT_EQ(ReadFile(dir / "out/words.doc"), CompoundFile());

    // The word processor met a full disk and said nothing of it.
    Office("half.doc");
    r = Convert({"-q", "-f", "doc", "-m", "text", "-o", "out", "words.pdf"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find("LibreOffice wrote an incomplete doc (4096 bytes)"), std::string::npos) << r.errors;
    EXPECT_EQ(ReadFile(dir / "out/words.doc"), CompoundFile()) << "the earlier result stays byte for byte";
    EXPECT_TRUE(fs::is_empty(tmp));
}

// A link planted at the name of the XML copy is replaced, not written through.
TEST_F(ResultSafety, TheXmlCopyReplacesALinkAtItsName) {
    NumberedPages(1).Save(dir / "words.pdf");
    WriteFile(dir / "precious.txt", "keep me");
    fs::create_directories(dir / "out");
    fs::create_symlink(dir / "precious.txt", dir / "out/words.xml");
    auto r = Convert({"-q", "--keep-xml", "-m", "text", "-o", "out", "words.pdf"});
    ASSERT_EQ(r.status, 0) << r.errors;
    EXPECT_EQ(ReadFile(dir / "precious.txt"), "keep me");
    EXPECT_FALSE(fs::is_symlink(dir / "out/words.xml"));
    EXPECT_NE(ReadFile(dir / "out/words.xml").find("<pdf2xml"), std::string::npos);
}

namespace {

// Page 1 draws 29 levels of forms, each drawing the next twice: 2^29 draws of a word.
// Page 2 is an ordinary page.
void DoublingForms(const std::string& path) {
    PdfWriter pdf;
    int inner = pdf.AddStream("/Type /XObject /Subtype /Form /BBox [0 0 612 792] /Resources << /Font << /F1 " +
                                  std::to_string(pdf.AddObject(StandardFont("Helvetica"))) + " 0 R >> >>",
                              "BT /F1 12 Tf 72 700 Td (deep) Tj ET 0 0 1 1 re f");
    for (int level = 0; level < 28; ++level)
        inner = pdf.AddStream("/Type /XObject /Subtype /Form /BBox [0 0 612 792] /Resources << /XObject << /X " +
                                  std::to_string(inner) + " 0 R >> >>",
                              "/X Do /X Do");
    Page& page = pdf.AddPage("/X Do\n" + TextLine("Top of the page", 72, 750));
    page.extraResources = "/XObject << /X " + std::to_string(inner) + " 0 R >>";
    pdf.AddPage(TextLine("The second page stays", 72, 700));
    pdf.Save(path);
}

}  // namespace

// A page that draws without end is cut short with a note; the job goes on.
TEST_F(ResultSafety, EndlessDrawingIsBoundedAndTheJobGoesOn) {
    DoublingForms(dir / "forms.pdf");
    for (const char* layout : {"flowing", "text"}) {
        const auto start = std::chrono::steady_clock::now();
        auto r = Convert({"-q", "-m", layout, "-o", "out", "forms.pdf"});
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_EQ(r.status, 0) << r.errors;
        EXPECT_LT(seconds, 100) << layout;
        EXPECT_NE(r.errors.find("page 1 draws more than any real page"), std::string::npos) << r.errors;
        std::string text = RtfPlainText(ReadFile(dir / "out/forms.rtf"));
        EXPECT_NE(text.find("The second page stays"), std::string::npos) << layout;
    }
}

// A signal is honoured within a second, even inside such a page.
TEST_F(ResultSafety, ASignalStopsEndlessDrawingAtOnce) {
    DoublingForms(dir / "forms.pdf");
    for (std::vector<std::string> args : {std::vector<std::string>{"-m", "flowing"},
                                          std::vector<std::string>{"--extract-images", "png"}}) {
        // Through env, whose TMPDIR wins over one this process may have.
        std::vector<std::string> argv = {"env", "TMPDIR=" + tmp, ConvertProgram(), "-q", "-o", dir / "out"};
        argv.insert(argv.end(), args.begin(), args.end());
        argv.push_back(dir / "forms.pdf");
        platform::ChildProcess child;
        ASSERT_TRUE(child.Start(argv));
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        const auto signalled = std::chrono::steady_clock::now();
        child.Signal(SIGTERM);
        const int status = child.Wait();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - signalled).count();
        EXPECT_EQ(status, 130) << args[0];
        EXPECT_TRUE(fs::is_empty(tmp)) << args[0];
        EXPECT_LT(seconds, 1.5) << args[0];
    }
}

// A page larger than word processors take (33 x 47 inches) is scaled to fit, never cropped.
TEST_F(ResultSafety, APageBeyondTheWordProcessorsLimitIsScaledNotCropped) {
    PdfWriter pdf;
    const double w = 2376, h = 3384;
    pdf.AddPage(TextLine("TopLeftWord", 36, h - 50, 24) + TextLine("TopRightWord", w - 300, h - 50, 24) +
                    TextLine("BottomLeftWord", 36, 40, 24) + TextLine("BottomRightWord", w - 300, 40, 24) +
                    "0 0 1 rg 1000 1000 300 300 re f\n",
                w, h);
    pdf.Save(dir / "poster.pdf");
    for (const char* layout : {"flowing", "asis", "formatted", "text"}) {
        auto r = Convert({"-q", "-m", layout, "-o", "out", "poster.pdf"});
        ASSERT_EQ(r.status, 0) << r.errors;
        EXPECT_NE(r.errors.find("page 1 (33.0 x 47.0 inches) is larger than word processors take; it was scaled"),
                  std::string::npos)
            << r.errors;
        std::string text = RtfPlainText(ReadFile(dir / "out/poster.rtf"));
        for (const char* word : {"TopLeftWord", "TopRightWord", "BottomLeftWord", "BottomRightWord"})
            EXPECT_NE(text.find(word), std::string::npos) << layout << " " << word;
    }
}

// A page of a few points (an icon exported as a page) is scaled up to an inch: the
// word processor lays out nothing smaller as one page.
TEST_F(ResultSafety, APageOfAFewPointsIsScaledUpToAnInch) {
    PdfWriter pdf;
    pdf.AddPage(TextLine("x", 0.5, 0.5, 3) + "0 0 1 rg 0 0 4 4 re f\n", 4, 4);
    pdf.Save(dir / "icon.pdf");
    for (const char* layout : {"asis", "flowing"}) {
        auto r = Convert({"-q", "-m", layout, "-o", "out", "icon.pdf"});
        ASSERT_EQ(r.status, 0) << r.errors;
        EXPECT_NE(r.errors.find("is smaller than word processors take; it was scaled"), std::string::npos) << r.errors;
        const std::string rtf = ReadFile(dir / "out/icon.rtf");
        EXPECT_NE(rtf.find("\\paperw1440\\paperh1440"), std::string::npos) << layout;
    }
    // A strip narrower than an inch but taller than word processors take is scaled down:
    // its lowest word stays.
    PdfWriter strip;
    strip.AddPage(TextLine("TopWord", 2, 2350, 6) + TextLine("LowWord", 2, 10, 6), 40, 2400);
    strip.Save(dir / "strip.pdf");
    auto r = Convert({"-q", "-m", "flowing", "-o", "out", "strip.pdf"});
    ASSERT_EQ(r.status, 0) << r.errors;
    EXPECT_NE(r.errors.find("is larger than word processors take; it was scaled"), std::string::npos) << r.errors;
    EXPECT_NE(RtfPlainText(ReadFile(dir / "out/strip.rtf")).find("LowWord"), std::string::npos);
}

namespace {

// A small file system of its own (root may mount one); unmounted when the test ends.
class SmallDisk {
public:
    SmallDisk(const std::string& where, const std::string& size) : where_(where) {
        fs::create_directories(where);
        mounted_ = geteuid() == 0 && RunProgram({"mount", "-t", "tmpfs", "-o", "size=" + size, "tmpfs", where}).status == 0;
    }
    ~SmallDisk() {
        if (mounted_) RunProgram({"umount", where_});
    }
    bool Mounted() const { return mounted_; }

private:
    std::string where_;
    bool mounted_ = false;
};

}  // namespace

// A full temp folder is named as the cause, never passed off as an unreadable PDF.
TEST_F(ResultSafety, AFullTempFolderIsNamedAsTheCause) {
    SmallDisk disk(dir / "small", "48k");
    if (!disk.Mounted()) GTEST_SKIP() << "no file system can be mounted here";
    // Too large to be copied into the workspace at all; and small, but with more text than fits.
    NumberedPages(400).Save(dir / "large.pdf");
    NumberedPages(40).Save(dir / "wordy.pdf");
    ASSERT_GT(fs::file_size(dir / "large.pdf"), 48u * 1024);
    ASSERT_LT(fs::file_size(dir / "wordy.pdf"), 40u * 1024);
    std::vector<std::string> argv = {"env", "TMPDIR=" + (dir / "small"), ConvertProgram(), "-q", "-m", "text",
                                     "-j", "1", "-o", dir / "out", dir / "large.pdf", dir / "wordy.pdf"};
    auto r = RunProgram(argv, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find("large.pdf: cannot copy it into the temp folder " + (dir / "small")), std::string::npos)
        << r.errors;
    EXPECT_NE(r.errors.find("wordy.pdf: cannot write into the temp folder " + (dir / "small")), std::string::npos)
        << r.errors;
    EXPECT_EQ(r.errors.find("unreadable"), std::string::npos) << r.errors;
}

// A full output folder in the image job says so.
TEST_F(ResultSafety, AFullOutputFolderOfTheImageJobSaysNoSpace) {
    SmallDisk disk(dir / "out", "8k");
    if (!disk.Mounted()) GTEST_SKIP() << "no file system can be mounted here";
    PdfWriter pdf;
    std::string big(200 * 200 * 3, '\0');
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>((i * 7919) % 251);
    int image = pdf.AddRgbImage(big, 200, 200);
    Page& page = pdf.AddPage("q 200 0 0 200 100 400 cm /Im1 Do Q\n");
    page.extraResources = "/XObject << /Im1 " + std::to_string(image) + " 0 R >>";
    pdf.Save(dir / "pic.pdf");
    auto r = Convert({"-q", "--extract-images", "ppm", "-o", "out", "pic.pdf"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find("No space left on device"), std::string::npos) << r.errors;
    EXPECT_FALSE(fs::exists(dir / "out/pic-1"));
}
