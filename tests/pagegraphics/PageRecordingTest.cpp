#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/DefaultEngines.h"
#include "convert/ConversionJob.h"
#include "convert/MyConvertPara.h"
#include "pagegraphics/PicturePdf.h"
#include "rtf/HexText.h"
#include "rtf/RecordedGraphics.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using namespace testpdf;

namespace {

struct Quiet : IConvertObserver {
    std::vector<std::string> logs;
    void Progress(int32_t) override {}
    void Log(const std::string& l) override { logs.push_back(l); }
    void FileStarted(const std::string&, const std::string&) override {}
    void FileFinished(const std::string&, const std::string&) override {}
};

// What the RTF engine was handed for a page, copied while the files still exist.
struct SeenEntry {
    int kind, drawingOrder, itemNumber;
    std::string psText;
    std::string imagePath, hexText, matrixText;
    PicturePlacement placement;
    double posX, posY;
    bool imageExists;
};

class RecordingRtf : public IRtfDocument {
public:
    RecordingRtf(std::map<int, std::vector<SeenEntry>>& seen, std::map<int, std::string>& pagePostScript,
                 std::string psPath)
        : seen_(seen), pagePostScript_(pagePostScript), psPath_(std::move(psPath)) {}
    bool OpenRtf() override { return true; }
    void SetLayoutMode(int) override {}
    bool ReadPage(int n) override {
        page_ = n;
        return true;
    }
    void AddGraphics(GraphicsList& list) override {
        pagePostScript_[page_] = ReadFile(psPath_);
        for (const auto& entry : list) {
            const GraphicEntry* e = entry.get();
            SeenEntry s{e->Kind(), e->drawingOrder, e->itemNumber, {}, {}, {}, {}, PicturePlacement::None, 0, 0, false};
            if (auto* line = dynamic_cast<const VectorShape*>(e)) s.psText = line->psText;
            if (auto* image = dynamic_cast<const Picture*>(e)) {
                s.imagePath = image->imagePath;
                s.hexText = image->data ? HexText(image->data->data(), image->data->size()) : ReadFile(image->hexPath);
                s.matrixText = image->matrixText;
                s.placement = image->placement;
                s.posX = image->posX;
                s.posY = image->posY;
                s.imageExists = fs::exists(image->imagePath);
            }
            seen_[page_].push_back(s);
        }
    }
    bool WritePage(PageInRange) override { return true; }
    bool Close() override { return true; }

private:
    std::map<int, std::vector<SeenEntry>>& seen_;
    std::map<int, std::string>& pagePostScript_;
    std::string psPath_;
    int page_ = 0;
};

class PageRecording : public ::testing::Test {
protected:
    void SetUp() override {
        PicturePdf().Save(dir / "pics.pdf");
        para.observer = &observer;
        para.outputDir = dir.path();
        para.inputPath = dir / "pics.pdf";
        para.imageDevice = "png16m";  // text jobs render JPEG whatever the record says
        engines = DefaultEngines();
        engines.createRtfDocument = [this](const std::string&, const CConvertPara& p) -> std::unique_ptr<IRtfDocument> {
            return std::make_unique<RecordingRtf>(seen, pagePostScript, p.workDir + "/" + p.baseName + ".ps");
        };
    }
    TempDir dir;
    Quiet observer;
    MyConvertPara para;
    ConvertEngines engines;
    std::map<int, std::vector<SeenEntry>> seen;
    std::map<int, std::string> pagePostScript;
};

TEST_F(PageRecording, PicturesAndRectanglesAreRecordedInDrawingOrderWithTheirColours) {
    para.jobMode = ModeFlowingText;
    ConvertFile(para, engines);
    const auto& page1 = seen[1];
    ASSERT_EQ(page1.size(), 5u);
    const int kinds[] = {2, 1, 2, 1, 2};
    const int numbers[] = {0, 0, 1, 1, 2};
    const char* colours[] = {"1 0 0 rg\n", nullptr, "0 1 0 rg\n", nullptr, "0 0 1 rg\n"};
    for (size_t i = 0; i < page1.size(); ++i) {
        EXPECT_EQ(page1[i].kind, kinds[i]) << i;
        EXPECT_EQ(page1[i].drawingOrder, static_cast<int>(i));
        EXPECT_EQ(page1[i].itemNumber, numbers[i]) << i;
        if (colours[i]) {
            EXPECT_NE(page1[i].psText.find(colours[i]), std::string::npos) << page1[i].psText;
            EXPECT_EQ(page1[i].psText.substr(page1[i].psText.size() - 2), "f\n");
            EXPECT_EQ(page1[i].psText.find("Words"), std::string::npos);
        }
    }
    EXPECT_TRUE(seen[2].empty()) << "a page of text records nothing";
    // The graphics are recorded pages ahead into one file: what page 2 finds there may
    // be any page's, but never any words.
    for (const auto& [page, postScript] : pagePostScript)
        EXPECT_EQ(postScript.find("two"), std::string::npos) << "no text is written into the page PostScript";
    EXPECT_EQ(pagePostScript[1].find("beside"), std::string::npos);
    ASSERT_EQ(seen[3].size(), 1u);
}

TEST_F(PageRecording, TextJobsTakeTheJpegAsStoredAndDecodeTheRawPicture) {
    para.jobMode = ModeAsIs;
    ConvertFile(para, engines);
    const SeenEntry& jpeg = seen[1][1];
    const std::string stored = JpegData(40, 20, JpegColour);
    EXPECT_EQ(jpeg.hexText, HexText(stored.data(), stored.size())) << "the JPEG's bytes, unchanged";
    EXPECT_EQ(jpeg.placement, PicturePlacement::Upright);
    // Drawn at (100, 500) in points: the position is in the 108-dpi unit.
    EXPECT_DOUBLE_EQ(jpeg.posX, 150);
    EXPECT_DOUBLE_EQ(jpeg.posY, 750);
    EXPECT_EQ(jpeg.matrixText, "[600 0 0 300 150 750]");
    EXPECT_EQ(seen[1][3].hexText.substr(0, 8), "89504E47") << "the raw picture as PNG";
    EXPECT_FALSE(fs::exists(para.workDir)) << "the picture files go with the workspace";
    for (const auto& e : fs::directory_iterator(dir.path()))
        EXPECT_TRUE(e.path().extension() == ".pdf") << e.path() << " written into the output folder";
}

// Pattern cells, soft masks and Type 3 glyphs are drawn on the device too, but
// they are not shapes of the page.
TEST_F(PageRecording, OnlyWhatThePageItselfDrawsIsRecorded) {
    PdfWriter w;
    int glyph = w.AddStream("", "1000 0 0 0 1000 1000 d1 0 0 1000 1000 re f");
    w.SetFont("T3", "<< /Type /Font /Subtype /Type3 /FontBBox [0 0 1000 1000] /FontMatrix [0.001 0 0 0.001 0 0] "
                    "/CharProcs << /sq " + std::to_string(glyph) + " 0 R >> /Encoding << /Type /Encoding "
                    "/Differences [65 /sq] >> /FirstChar 65 /LastChar 65 /Widths [1000] /Resources << >> >>");
    int cell = w.AddStream("/PatternType 1 /PaintType 1 /TilingType 1 /BBox [0 0 10 10] /XStep 10 /YStep 10 "
                           "/Resources << >>",
                           "0 0 5 5 re f");
    int mask = w.AddStream("/Type /XObject /Subtype /Form /BBox [0 0 612 792] /Group << /S /Transparency "
                           "/CS /DeviceGray >>",
                           "0.5 g 0 0 612 792 re f");
    Page& p = w.AddPage("BT /T3 20 Tf 100 600 Td (AAA) Tj ET\n/Pattern cs /P0 scn 300 300 100 100 re f\n"
                        "q /GS0 gs 0 0 1 rg 50 50 100 100 re f Q\n");
    p.extraResources = "/Pattern << /P0 " + std::to_string(cell) + " 0 R >> /ExtGState << /GS0 << /SMask << "
                       "/Type /Mask /S /Luminosity /G " + std::to_string(mask) + " 0 R >> >> >>";
    w.Save(dir / "hidden.pdf");
    para.inputPath = dir / "hidden.pdf";
    para.jobMode = ModeFlowingText;
    ConvertFile(para, engines);
    // No shape comes from the glyph, the pattern's cell or the mask's group; the
    // pattern-filled square and the square painted through the soft mask, which
    // shapes cannot show, come as two rendered pictures, each as the text of a PNG.
    ASSERT_EQ(seen[1].size(), 2u);
    for (const SeenEntry& entry : seen[1]) {
        EXPECT_EQ(entry.kind, GraphicEntry::KindPicture);
        EXPECT_EQ(entry.hexText.substr(0, 8), "89504E47");
    }
}

// The pass swaps every font for a built-in one it never draws: what it records
// must not change, for fonts shared by pages and forms, nor for a "font"
// dictionary of a damaged file that holds something else.
TEST_F(PageRecording, FontsLeftOutOfThePassChangeNothingItRecords) {
    PdfWriter w;
    int fonts = w.AddObject("<< /G1 " + StandardFont("Courier") + " >>");
    int formResources = w.AddObject("<< /Font " + std::to_string(fonts) + " 0 R >>");
    int form = w.AddStream("/Type /XObject /Subtype /Form /BBox [0 0 612 792] /Resources " +
                               std::to_string(formResources) + " 0 R",
                           "BT /G1 10 Tf 72 700 Td (Inside) Tj ET 0 1 0 rg 72 600 40 40 re f");
    // A damaged file's "font dictionary" that is the resources of another form.
    int inner = w.AddStream("/Subtype /Form /BBox [0 0 612 792]", "0 0 1 rg 300 300 20 20 re f");
    int shared = w.AddObject("<< /XObject << /In " + std::to_string(inner) + " 0 R >> >>");
    int odd = w.AddStream("/Subtype /Form /BBox [0 0 612 792] /Resources << /Font " + std::to_string(shared) + " 0 R >>",
                          "0.5 g 10 10 5 5 re f");
    int drawsInner = w.AddStream("/Subtype /Form /BBox [0 0 612 792] /Resources " + std::to_string(shared) + " 0 R",
                                 "/In Do");
    const std::string forms = "/XObject << /Fm " + std::to_string(form) + " 0 R >>";
    w.AddPage(TextLine("Shared", 72, 740) + "/Fm Do 1 0 0 rg 200 200 50 50 re f\n").extraResources = forms;
    w.AddPage("/Fm Do\n" + TextLine("Again", 72, 500)).extraResources = forms;
    w.AddPage("/Odd Do /Inner Do\n").extraResources =
        "/XObject << /Odd " + std::to_string(odd) + " 0 R /Inner " + std::to_string(drawsInner) + " 0 R >>";
    w.Save(dir / "fonts.pdf");
    para.inputPath = dir / "fonts.pdf";
    para.jobMode = ModeFlowingText;
    para.xmlCopyPath = dir / "fonts.xml";
    ConvertFile(para, engines);
    ASSERT_EQ(seen[1].size(), 2u);
    EXPECT_NE(seen[1][0].psText.find("0 1 0 rg\n"), std::string::npos) << seen[1][0].psText;
    EXPECT_NE(seen[1][1].psText.find("1 0 0 rg\n"), std::string::npos) << seen[1][1].psText;
    ASSERT_EQ(seen[2].size(), 1u);
    EXPECT_NE(seen[2][0].psText.find("0 1 0 rg\n"), std::string::npos) << seen[2][0].psText;
    ASSERT_EQ(seen[3].size(), 2u) << "the form behind a damaged font entry is still drawn";
    EXPECT_NE(seen[3][1].psText.find("0 0 1 rg\n"), std::string::npos) << seen[3][1].psText;
    const std::string xml = ReadFile(dir / "fonts.xml");
    for (const char* word : {"Shared", "Inside", "Again"}) EXPECT_NE(xml.find(word), std::string::npos) << word;
}

TEST_F(PageRecording, RemovedPicturesAreNamedButNeverRendered) {
    // A Ghostscript stand-in that leaves a trace when it is started.
    fs::create_directory(dir / "trace-bin");
    WriteFile(dir / "trace-bin/gs", "#!/bin/sh\ntouch \"" + (dir / "gs-started") + "\"\nexit 1\n");
    fs::permissions(dir / "trace-bin/gs", fs::perms::owner_all);
    const char* oldPath = std::getenv("PATH");
    std::string savedPath = oldPath ? oldPath : "";
    setenv("PATH", (dir / "trace-bin").c_str(), 1);
    para.jobMode = ModeAsIs;
    para.removeImages = 1;
    ConvertFile(para, engines);
    setenv("PATH", savedPath.c_str(), 1);
    EXPECT_FALSE(fs::exists(dir / "gs-started"));
    ASSERT_EQ(seen[1].size(), 5u);
    for (int i : {1, 3}) {
        EXPECT_FALSE(seen[1][i].imagePath.empty()) << i;
        EXPECT_FALSE(seen[1][i].imageExists) << i;
        EXPECT_TRUE(seen[1][i].hexText.empty()) << i;
    }
    EXPECT_EQ(para.pictures.failed, 0);
}

TEST_F(PageRecording, TextOnlyJobsRunNoPageGraphics) {
    para.jobMode = ModeTextOnly;
    ConvertFile(para, engines);
    EXPECT_TRUE(seen.empty());
}

}  // namespace
