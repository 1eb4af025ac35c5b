#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <thread>
#include <tuple>

#include "pagegraphics/PicturePdf.h"
#include "platform/ChildProcess.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using namespace testpdf;

namespace {

std::set<std::string> Entries(const std::string& folder) {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec)) names.insert(e.path().filename().string());
    return names;
}

// Runs the converter with its temp folder inside the test's own folder, so that
// left-over workspaces and scratch files can be seen.
class ImageJob : public ::testing::Test {
protected:
    void SetUp() override {
        tmp = dir / "tmp";
        fs::create_directory(tmp);
        PicturePdf().Save(dir / "pics.pdf");
    }
    platform::ProcessResult Convert(std::vector<std::string> args, const std::string& path = {}) {
        std::vector<std::string> argv = {"env", "TMPDIR=" + tmp};
        if (!path.empty()) argv.push_back("PATH=" + path);
        argv.push_back(ConvertProgram());
        argv.insert(argv.end(), args.begin(), args.end());
        return RunProgram(argv, dir.path());
    }
    TempDir dir;
    std::string tmp;
};

TEST_F(ImageJob, PngJobWritesOneFolderPerPageWithPicturesAndNothingElse) {
    auto r = Convert({"--extract-images", "png", "-o", "out", "pics.pdf"});
    ASSERT_EQ(r.status, 0) << r.errors;
    EXPECT_EQ(Entries(dir / "out"), (std::set<std::string>{"pics-1", "pics-3"}));
    EXPECT_EQ(Entries(dir / "out/pics-1"), (std::set<std::string>{"imagefile1.png", "imagefile2.png"}));
    EXPECT_EQ(Entries(dir / "out/pics-3"), (std::set<std::string>{"imagefile1.png"}));
    EXPECT_NE(r.output.find("pics.pdf -> out/pics-1"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("pics.pdf -> out/pics-3"), std::string::npos) << r.output;
    EXPECT_TRUE(fs::is_empty(tmp)) << "the workspace and its scratch files are gone";

    RgbImage jpeg, raw;
    ASSERT_TRUE(ReadImage(dir / "out/pics-1/imagefile1.png", jpeg));
    EXPECT_EQ(jpeg.width, 40);
    EXPECT_EQ(jpeg.height, 20);
    EXPECT_TRUE(Near(jpeg.At(5, 10), {255, 0, 0}));
    EXPECT_TRUE(Near(jpeg.At(35, 10), {0, 0, 255}));
    ASSERT_TRUE(ReadImage(dir / "out/pics-1/imagefile2.png", raw));
    EXPECT_EQ(raw.width, 8);
    EXPECT_EQ(raw.height, 4);
    EXPECT_TRUE(Near(raw.At(4, 0), {0, 255, 0}, 2)) << "the first row of samples is the top of the picture";
    EXPECT_TRUE(Near(raw.At(4, 3), {255, 255, 0}, 2));
}

TEST_F(ImageJob, EveryFormatWritesFilesOfItsOwnType) {
    const std::vector<std::tuple<std::string, std::string, std::set<std::string>>> formats = {
        {"same", "jpeg", {"jpeg"}}, {"bmp", "bmp", {"bmp"}},    {"jpg", "jpeg", {"jpeg"}},
        {"png", "png", {"png"}},    {"tiff", "tiff", {"tiff"}}, {"pcx", "pcx", {"pcx"}},
        {"pbm", "pbm", {"pbm"}},    {"pnm", "pnm", {"ppm", "pgm", "pbm"}}, {"ppm", "ppm", {"ppm"}}};
    for (const auto& [format, extension, types] : formats) {
        auto r = Convert({"-q", "--extract-images", format, "-p", "3", "-o", "out-" + format, "pics.pdf"});
        ASSERT_EQ(r.status, 0) << format << ": " << r.errors;
        std::string file = dir / ("out-" + format + "/pics-3/imagefile1." + extension);
        ASSERT_TRUE(fs::exists(file)) << file;
        EXPECT_TRUE(types.count(ImageFileType(file))) << format << " gave " << ImageFileType(file);
        RgbImage image;
        if (ReadImage(file, image)) {
            EXPECT_EQ(image.width, 8) << format;
            EXPECT_EQ(image.height, 4) << format;
        }
    }
}

TEST_F(ImageJob, PageSelectionIsHonoured) {
    auto r = Convert({"--extract-images", "png", "-p", "2-3", "-o", "out", "pics.pdf"});
    ASSERT_EQ(r.status, 0) << r.errors;
    EXPECT_EQ(Entries(dir / "out"), (std::set<std::string>{"pics-3"}));
}

TEST_F(ImageJob, PercentPipeAndBlanksInNamesAreOnlyNames) {
    fs::copy_file(dir / "pics.pdf", dir / "a%d |b c.pdf");
    auto r = Convert({"--extract-images", "png", "-p", "3", "-o", "out %s|x", "a%d |b c.pdf"});
    ASSERT_EQ(r.status, 0) << r.errors;
    EXPECT_EQ(Entries(dir / "out %s|x"), (std::set<std::string>{"a%d |b c-3"}));
    EXPECT_EQ(ImageFileType(dir / "out %s|x/a%d |b c-3/imagefile1.png"), "png");
}

TEST_F(ImageJob, ARelativeTempFolderNamedLikeAnOptionIsStillAFolder) {
    fs::create_directory(dir / "-t");
    auto r = RunProgram({"env", "TMPDIR=-t", ConvertProgram(), "--extract-images", "png", "-p", "3", "-o", "out",
                         "pics.pdf"},
                        dir.path());
    ASSERT_EQ(r.status, 0) << r.errors;
    EXPECT_EQ(ImageFileType(dir / "out/pics-3/imagefile1.png"), "png");
    EXPECT_TRUE(fs::is_empty(dir / "-t"));
}

TEST_F(ImageJob, WithoutGhostscriptTheJobFailsAndSaysSo) {
    fs::create_directory(dir / "empty-bin");
    auto r = Convert({"--extract-images", "png", "-o", "out", "pics.pdf"}, dir / "empty-bin");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find("Ghostscript"), std::string::npos) << r.errors;
    EXPECT_NE(r.errors.find("pics.pdf"), std::string::npos) << r.errors;
    EXPECT_FALSE(fs::exists(dir / "out/pics-1"));
    EXPECT_TRUE(fs::is_empty(tmp));
}

TEST_F(ImageJob, FailingGhostscriptCountsThePictureAsFailedAndLeavesNoPartialFile) {
    // A stand-in that writes half a file and fails, as an interpreter error would.
    fs::create_directory(dir / "bad-bin");
    WriteFile(dir / "bad-bin/gs",
              "#!/bin/sh\nfor a in \"$@\"; do case \"$a\" in -sOutputFile=*) printf partial > \"${a#-sOutputFile=}\";; "
              "esac; done\necho 'Error: /undefined in pdfIm' >&2\nexit 1\n");
    fs::permissions(dir / "bad-bin/gs", fs::perms::owner_all);
    std::string path = (dir / "bad-bin") + ":/usr/bin:/bin";
    auto r = Convert({"--extract-images", "png", "-p", "3", "-o", "out", "pics.pdf"}, path);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find("Ghostscript failed with status 1"), std::string::npos) << r.errors;
    EXPECT_FALSE(fs::exists(dir / "out/pics-3/imagefile1.png"));
    EXPECT_TRUE(fs::is_empty(tmp));
}

// A text job keeps its words when Ghostscript fails, but never passes the
// missing pictures off as a complete result. Pictures of 16-bit samples are
// left to Ghostscript; the others are taken without it.
TEST_F(ImageJob, TextJobWithoutGhostscriptSaysWhichPicturesAreMissing) {
    DeepPicturePdf(2).Save(dir / "deep.pdf");
    fs::create_directory(dir / "empty-bin");
    // Quiet drops progress, not the warning: it goes to standard error.
    auto r = Convert({"-q", "-m", "flowing", "-o", "out", "deep.pdf"}, dir / "empty-bin");
    EXPECT_EQ(r.status, 0) << r.errors;
    ASSERT_TRUE(fs::exists(dir / "out/deep.rtf"));
    EXPECT_NE(r.errors.find("deep.pdf: 2 pictures could not be rendered and are missing from out/deep.rtf"),
              std::string::npos)
        << r.errors;
    EXPECT_NE(ReadFile(dir / "out/deep.rtf").find("\\pngblip"), std::string::npos) << "the 8-bit picture is there";
    EXPECT_NE(r.errors.find("Ghostscript"), std::string::npos) << r.errors;
    EXPECT_EQ(r.output, "");
    EXPECT_TRUE(fs::is_empty(tmp));
}

TEST_F(ImageJob, DocumentWithoutPicturesSucceedsWithANote) {
    NumberedPages(2).Save(dir / "words.pdf");
    auto r = Convert({"--extract-images", "png", "-o", "out", "words.pdf"});
    EXPECT_EQ(r.status, 0) << r.errors;
    EXPECT_NE(r.errors.find("words.pdf: no pictures on the selected pages"), std::string::npos) << r.errors;
    EXPECT_TRUE(Entries(dir / "out").empty());
}

TEST_F(ImageJob, ParallelBatchReportsEveryFolderAndNote) {
    NumberedPages(2).Save(dir / "words.pdf");
    fs::copy_file(dir / "pics.pdf", dir / "more.pdf");
    auto r = Convert({"-j", "2", "--extract-images", "png", "-o", "out", "pics.pdf", "words.pdf", "more.pdf"});
    ASSERT_EQ(r.status, 0) << r.errors;
    EXPECT_EQ(Entries(dir / "out"), (std::set<std::string>{"pics-1", "pics-3", "more-1", "more-3"}));
    for (const char* line : {"pics.pdf -> out/pics-1", "pics.pdf -> out/pics-3", "more.pdf -> out/more-3"})
        EXPECT_NE(r.output.find(line), std::string::npos) << line << "\n" << r.output;
    EXPECT_NE(r.errors.find("words.pdf: no pictures on the selected pages"), std::string::npos) << r.errors;
}

TEST_F(ImageJob, ExistingFilesInTheOutputFolderAreLeftAlone) {
    fs::create_directories(dir / "out");
    WriteFile(dir / "out/pics", "mine");
    WriteFile(dir / "out/newfile1.ps", "mine too");
    WriteFile(dir / "out/finalfile1.ps", "and mine");
    auto r = Convert({"--extract-images", "png", "-o", "out", "pics.pdf"});
    ASSERT_EQ(r.status, 0) << r.errors;
    EXPECT_EQ(ReadFile(dir / "out/pics"), "mine");
    EXPECT_EQ(ReadFile(dir / "out/newfile1.ps"), "mine too");
    EXPECT_EQ(ReadFile(dir / "out/finalfile1.ps"), "and mine");
}

// The raw picture turned, mirrored and skewed on one page: the files show it as
// the page does, and the skewed one is left out without losing the others.
TEST_F(ImageJob, TurnedAndMirroredPicturesRenderAsThePageShowsThem) {
    PdfWriter w;
    int raw = w.AddRgbImage(RgbSamples(8, 4, RawColour), 8, 4);
    int jpeg = w.AddJpegImage(JpegData(40, 20, JpegColour), 40, 20);
    Page& p = w.AddPage(DrawImage("Im", 0, 80, -40, 0, 300, 300) +    // a quarter turn counter-clockwise
                        DrawImage("Im", 30, 20, -20, 30, 300, 500) +   // skewed
                        DrawImage("Im", 0, -80, 40, 0, 100, 300) +     // a quarter turn clockwise
                        DrawImage("Im", 80, 0, 0, -40, 100, 600) +     // upside down
                        DrawImage("Jp", -400, 0, 0, 200, 500, 100) +  // left and right exchanged
                        DrawImage("Jp", -400, 0, 0, -200, 500, 500));  // half a turn
    p.extraResources = XObjectResources({{"Im", raw}, {"Jp", jpeg}});
    w.Save(dir / "turned.pdf");
    auto r = Convert({"--extract-images", "png", "-o", "out", "turned.pdf"});
    ASSERT_EQ(r.status, 0) << r.errors;
    EXPECT_NE(r.errors.find("1 skewed picture left out"), std::string::npos) << r.errors;
    EXPECT_EQ(Entries(dir / "out/turned-1"),
              (std::set<std::string>{"imagefile1.png", "imagefile2.png", "imagefile3.png", "imagefile4.png",
                                     "imagefile5.png"}));
    const Rgb green{0, 255, 0}, yellow{255, 255, 0};
    RgbImage ccw, cw, flipped;
    ASSERT_TRUE(ReadImage(dir / "out/turned-1/imagefile1.png", ccw));
    EXPECT_EQ(ccw.width, 4);
    EXPECT_EQ(ccw.height, 8);
    EXPECT_TRUE(Near(ccw.At(0, 4), green, 2)) << "the top rows turn to the left";
    EXPECT_TRUE(Near(ccw.At(3, 4), yellow, 2));
    ASSERT_TRUE(ReadImage(dir / "out/turned-1/imagefile2.png", cw));
    EXPECT_EQ(cw.width, 4);
    EXPECT_EQ(cw.height, 8);
    EXPECT_TRUE(Near(cw.At(3, 4), green, 2)) << "the top rows turn to the right";
    EXPECT_TRUE(Near(cw.At(0, 4), yellow, 2));
    ASSERT_TRUE(ReadImage(dir / "out/turned-1/imagefile3.png", flipped));
    EXPECT_EQ(flipped.width, 8);
    EXPECT_EQ(flipped.height, 4);
    EXPECT_TRUE(Near(flipped.At(4, 3), green, 2)) << "upside down on the page, upside down in the file";
    EXPECT_TRUE(Near(flipped.At(4, 0), yellow, 2));
    const Rgb red{255, 0, 0}, blue{0, 0, 255};
    RgbImage mirrored, halfTurn;
    ASSERT_TRUE(ReadImage(dir / "out/turned-1/imagefile4.png", mirrored));
    EXPECT_TRUE(Near(mirrored.At(5, 10), blue)) << "mirrored on the page, mirrored in the file";
    EXPECT_TRUE(Near(mirrored.At(35, 10), red));
    ASSERT_TRUE(ReadImage(dir / "out/turned-1/imagefile5.png", halfTurn));
    EXPECT_EQ(halfTurn.width, 40);
    EXPECT_TRUE(Near(halfTurn.At(5, 10), blue));
    EXPECT_TRUE(Near(halfTurn.At(35, 10), red));
}

TEST_F(ImageJob, MissingPageTemplateFailsBeforeGhostscriptStarts) {
    // A copy of the program in a folder without the template, and a Ghostscript
    // stand-in that leaves a trace when it is started.
    fs::create_directory(dir / "alone");
    fs::copy_file(ConvertProgram(), dir / "alone/vellumor-convert");
    fs::create_directory(dir / "trace-bin");
    WriteFile(dir / "trace-bin/gs", "#!/bin/sh\ntouch \"" + (dir / "gs-started") + "\"\nexit 1\n");
    fs::permissions(dir / "trace-bin/gs", fs::perms::owner_all);
    auto r = RunProgram({"env", "TMPDIR=" + tmp, "PATH=" + (dir / "trace-bin") + ":/usr/bin:/bin",
                         dir / "alone/vellumor-convert", "--extract-images", "png", "-o", "out", "pics.pdf"},
                        dir.path());
    if (r.status == 0) GTEST_SKIP() << "an installed template was found";
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find("starttext.ps"), std::string::npos) << r.errors;
    EXPECT_FALSE(fs::exists(dir / "gs-started"));
}

TEST_F(ImageJob, RemoveImagesIsRefusedWithExtractImages) {
    auto r = Convert({"--extract-images", "png", "--remove-images", "pics.pdf"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.errors.find("--remove-images"), std::string::npos);
}

TEST_F(ImageJob, TextJobKeepsItsWordsWhenPicturesCannotBeRendered) {
    fs::create_directory(dir / "empty-bin");
    auto r = Convert({"-m", "flowing", "-o", "out", "pics.pdf"}, dir / "empty-bin");
    ASSERT_EQ(r.status, 0) << r.errors;
    std::string rtf = ReadFile(dir / "out/pics.rtf");
    for (const char* word : {"{beside}", "{pictures}", "{two}", "{three}"})
        EXPECT_NE(rtf.find(word), std::string::npos) << word;
}

}  // namespace

namespace {

// Either password of an encrypted source opens it for the image job too, whatever its cipher.
TEST_F(ImageJob, EncryptedSourceGivesItsPicturesWithOwnerOrUserPassword) {
    for (Cipher cipher : {Cipher::Aes256, Cipher::Rc4}) {
        ASSERT_TRUE(Encrypt(dir / "pics.pdf", dir / "locked.pdf", "reader", "keeper", cipher));
        for (const char* password : {"reader", "keeper"}) {
            fs::remove_all(dir / "out");
            auto r = Convert({"--extract-images", "png", "--password", password, "-o", "out", "locked.pdf"});
            ASSERT_EQ(r.status, 0) << password << ": " << r.errors;
            EXPECT_EQ(Entries(dir / "out/locked-1"), (std::set<std::string>{"imagefile1.png", "imagefile2.png"}))
                << password;
        }
        auto wrong = Convert({"--extract-images", "png", "--password", "intruder", "-o", "wrong", "locked.pdf"});
        EXPECT_EQ(wrong.status, 1);
        EXPECT_NE(wrong.errors.find("wrong password"), std::string::npos) << wrong.errors;
        EXPECT_TRUE(Entries(dir / "wrong").empty());
    }
}

}  // namespace

// A page folder is replaced whole: no picture of an earlier run stays beside new
// ones, and a link planted at its name is replaced, never written through.
TEST_F(ImageJob, PageFoldersReplaceEarlierOnesWholeAndNeverFollowALink) {
    fs::create_directories(dir / "out/pics-3");
    WriteFile(dir / "out/pics-3/imagefile1.png", "old");
    WriteFile(dir / "out/pics-3/imagefile2.png", "old");
    WriteFile(dir / "out/pics-3/imagefile3.png", "old");
    fs::create_directories(dir / "elsewhere");
    fs::create_directory_symlink(dir / "elsewhere", dir / "out/pics-1");
    auto r = Convert({"-q", "--extract-images", "png", "-o", "out", "pics.pdf"});
    ASSERT_EQ(r.status, 0) << r.errors;
    EXPECT_EQ(Entries(dir / "out/pics-3"), (std::set<std::string>{"imagefile1.png"}));
    EXPECT_NE(ReadFile(dir / "out/pics-3/imagefile1.png"), "old");
    EXPECT_FALSE(fs::is_symlink(dir / "out/pics-1"));
    EXPECT_EQ(Entries(dir / "out/pics-1"), (std::set<std::string>{"imagefile1.png", "imagefile2.png"}));
    EXPECT_TRUE(fs::is_empty(dir / "elsewhere"));
    EXPECT_EQ(Entries(dir / "out"), (std::set<std::string>{"pics-1", "pics-3"}));
}

// Scratch folders that a killed run left, in the temp folder and beside its results,
// are removed by the next run; those of a running process stay.
TEST_F(ImageJob, LeftoversOfAKilledRunAreRemovedByTheNext) {
    fs::create_directories(tmp + "/vellumor-tmpd-999999999-abcdef/nested");
    fs::create_directories(dir / "out/.vellumor-tmpd-999999999-abcdef");
    const std::string alive = tmp + "/vellumor-tmpd-" + std::to_string(getpid()) + "-abcdef";
    fs::create_directories(alive);
    auto r = Convert({"-q", "--extract-images", "png", "-o", "out", "pics.pdf"});
    ASSERT_EQ(r.status, 0) << r.errors;
    EXPECT_FALSE(fs::exists(tmp + "/vellumor-tmpd-999999999-abcdef"));
    EXPECT_FALSE(fs::exists(dir / "out/.vellumor-tmpd-999999999-abcdef"));
    EXPECT_TRUE(fs::exists(alive));
    fs::remove(alive);
}

// Pictures in ICC colour spaces render: grey, RGB and CMYK profiles, a profile that
// does not match its picture, and a stencil filled in an ICC colour, each twice on a page.
TEST_F(ImageJob, PicturesInIccColourSpacesRender) {
    const std::string profiles = "/usr/share/color/icc/ghostscript/";
    if (!fs::exists(profiles + "srgb.icc")) GTEST_SKIP() << "no colour profiles installed";
    PdfWriter pdf;
    std::string content, xobjects;
    int n = 0;
    for (auto [profile, components, pictureComponents] :
         {std::tuple{"default_gray.icc", 1, 1}, std::tuple{"srgb.icc", 3, 3}, std::tuple{"default_cmyk.icc", 4, 4},
          std::tuple{"srgb.icc", 1, 1}}) {
        int icc = pdf.AddStream("/N " + std::to_string(components), ReadFile(profiles + profile));
        std::string samples(static_cast<size_t>(16 * 16 * pictureComponents), '\0');
        for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<char>((i * 37) % 256);
        int image = pdf.AddStream("/Type /XObject /Subtype /Image /Width 16 /Height 16 /BitsPerComponent 8 "
                                  "/ColorSpace [/ICCBased " + std::to_string(icc) + " 0 R]",
                                  samples);
        const std::string name = "/P" + std::to_string(++n);
        xobjects += name + " " + std::to_string(image) + " 0 R ";
        content += "q 80 0 0 80 " + std::to_string(40 + 120 * n) + " 600 cm " + name + " Do Q ";
        content += "q 40 0 0 40 " + std::to_string(40 + 120 * n) + " 400 cm " + name + " Do Q ";
    }
    int icc = pdf.AddStream("/N 3", ReadFile(profiles + "srgb.icc"));
    int stencil = pdf.AddStream("/Type /XObject /Subtype /Image /Width 8 /Height 8 /BitsPerComponent 1 /ImageMask true",
                                std::string(8, '\xAA'));
    xobjects += "/S " + std::to_string(stencil) + " 0 R";
    content += "/CS0 cs 0.2 0.6 0.9 sc 10 10 50 50 re f q 60 0 0 60 100 100 cm /S Do Q q 60 0 0 60 300 100 cm /S Do Q\n";
    Page& page = pdf.AddPage(content);
    page.extraResources = "/XObject << " + xobjects + " >> /ColorSpace << /CS0 [/ICCBased " + std::to_string(icc) + " 0 R] >>";
    pdf.Save(dir / "icc.pdf");
    auto r = Convert({"-q", "--extract-images", "png", "-o", "out", "icc.pdf"});
    EXPECT_EQ(r.status, 0) << r.errors;
    EXPECT_EQ(Entries(dir / "out/icc-1").size(), 10u) << r.errors;
    // Its pictures are all it has: read as text they would add a note of their own.
    r = Convert({"-q", "-m", "flowing", "--ocr", "never", "-o", "out", "icc.pdf"});
    EXPECT_EQ(r.status, 0) << r.errors;
    EXPECT_EQ(r.errors, "");
}

// A run interrupted while it renders leaves the folders of an earlier run as they were.
TEST_F(ImageJob, AnInterruptedRunLeavesTheEarlierFoldersWhole) {
    for (const char* folder : {"out/pics-1", "out/pics-3"}) {
        fs::create_directories(dir / folder);
        WriteFile(dir / (std::string(folder) + "/imagefile1.png"), "earlier");
    }
    fs::create_directories(dir / "hang-bin");
    WriteFile(dir / "hang-bin/gs", "#!/bin/sh\nsleep 300 &\nwait\n");
    fs::permissions(dir / "hang-bin/gs", fs::perms::owner_all);
    platform::ChildProcess run;
    // Through env, whose PATH wins over the one this process has.
    ASSERT_TRUE(run.Start({"env", "TMPDIR=" + tmp, "PATH=" + (dir / "hang-bin") + ":/usr/bin:/bin", ConvertProgram(),
                           "-q", "--extract-images", "png", "-o", dir / "out", dir / "pics.pdf"}));
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    run.Signal(SIGINT);
    EXPECT_EQ(run.Wait(), 130);
    EXPECT_EQ(Entries(dir / "out"), (std::set<std::string>{"pics-1", "pics-3"}));
    for (const char* folder : {"out/pics-1", "out/pics-3"}) {
        EXPECT_EQ(Entries(dir / folder), (std::set<std::string>{"imagefile1.png"})) << folder;
        EXPECT_EQ(ReadFile(dir / (std::string(folder) + "/imagefile1.png")), "earlier") << folder;
    }
    EXPECT_TRUE(fs::is_empty(tmp));
}
