// The declaration, the root line with the document information, page lines and
// the file's behaviour at its edges.
#include <gtest/gtest.h>

#include "app/DefaultEngines.h"
#include "ExtractRun.h"
#include "XmlLineGrammar.h"
#include "convert/ConversionJob.h"
#include "convert/MyConvertPara.h"
#include "extract/HtmlOutputDev.h"
#include "platform/PdfCoreConfig.h"
#include "support/TempDir.h"

using namespace extracttest;
using testpdf::PdfWriter;

namespace {

// The XML of a full text pass through the driver, as --keep-xml leaves it.
std::string TextPassXml(const PdfWriter& pdf) {
    testpdf::TempDir dir;
    pdf.Save(dir / "doc.pdf");
    MyConvertPara para;
    para.inputPath = dir / "doc.pdf";
    para.outputDir = dir.path();
    para.jobMode = ModeTextOnly;
    para.xmlCopyPath = dir / "copy.xml";
    ConvertEngines engines = DefaultEngines();
    engines.createRtfDocument = [](const std::string&, const CConvertPara&) { return std::unique_ptr<IRtfDocument>(); };
    ConvertFile(para, engines);
    return testpdf::ReadFile(dir / "copy.xml");
}

}  // namespace

TEST(DocumentLines, InformationLine) {
    PdfWriter empty = testpdf::NumberedPages(1);
    std::vector<std::string> lines = Lines(TextPassXml(empty));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], R"(<?xml version="1.0" encoding="ISO-8859-1"?>)");
    EXPECT_EQ(lines[1], R"(<pdf2xml author="" keywords="" date="" subject="">)");

    PdfWriter full = testpdf::NumberedPages(1);
    full.SetInfo("Title", "Not written");
    full.SetInfo("Author", "Ann Smith");
    full.SetInfo("Keywords", "tax forms");
    full.SetInfo("Subject", "Q&A <1>");
    full.SetInfo("ModDate", "D:20040309140500Z");
    full.SetInfo("CreationDate", "D:19990101000000Z");
    EXPECT_EQ(Lines(TextPassXml(full))[1],
              R"(<pdf2xml author="Ann Smith" keywords="tax forms" date="2004-03-09T14:05:00+00:00" subject="Q&A <1>">)");

    PdfWriter created = testpdf::NumberedPages(1);
    created.SetInfo("CreationDate", "D:19991231235958");
    EXPECT_EQ(Attr(Lines(TextPassXml(created))[1], "date"), "1999-12-31T23:59:58+00:00");

    PdfWriter vague = testpdf::NumberedPages(1);
    vague.SetInfo("ModDate", "yesterday");
    EXPECT_EQ(Attr(Lines(TextPassXml(vague))[1], "date"), "yesterday");
}

// A line break in a value would split the root line for the reader.
TEST(DocumentLines, LineBreaksInInformationBecomeBlanks) {
    PdfWriter pdf = testpdf::NumberedPages(1);
    pdf.SetInfoRaw("Author", "(Ann\\rSmith\\nJr)");
    pdf.SetInfoRaw("Subject", "(two\\r\\nlines)");
    std::string xml = TextPassXml(pdf);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    EXPECT_EQ(Lines(xml)[1], R"(<pdf2xml author="Ann Smith Jr" keywords="" date="" subject="two  lines">)");
}

TEST(DocumentLines, PageLinesFollowRotation) {
    PdfWriter pdf;
    pdf.AddPage(Show("upright", 72, 700));
    pdf.AddPage(Show("turned", 72, 700)).rotate = 90;
    pdf.AddPage(Show("upside down", 72, 700)).rotate = 180;
    pdf.AddPage(Show("turned back", 72, 700), 300, 200).rotate = 270;
    std::string xml = Extract(pdf);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    EXPECT_EQ(PageLines(xml, 1)[0],
              R"(<page pnumber="1" pposition="absolute" ptop="108" pleft="108" pheight="1188" pwidth="918" protation="0">)");
    EXPECT_EQ(PageLines(xml, 2)[0],
              R"(<page pnumber="2" pposition="absolute" ptop="108" pleft="108" pheight="918" pwidth="1188" protation="90">)");
    EXPECT_EQ(Attr(PageLines(xml, 3)[0], "protation"), "180");
    EXPECT_EQ(Attr(PageLines(xml, 4)[0], "pheight"), "450");
    EXPECT_EQ(Attr(PageLines(xml, 4)[0], "pwidth"), "300");
    EXPECT_EQ(Attr(PageLines(xml, 4)[0], "protation"), "270");
    // Upright text on a page turned a quarter counter-clockwise by its transformation
    // reads bottom to top on the device.
    std::vector<int> directions;
    for (const auto& e : Elements(xml)) directions.push_back(e.direction);
    EXPECT_EQ(directions, (std::vector<int>{1, 1, 1, 1, 4, 4}));
}

TEST(DocumentLines, PagesWithoutVisibleText) {
    PdfWriter pdf;
    pdf.AddPage("0 0 1 rg 100 100 200 200 re f\n");
    // Render mode 3 is the hidden text layer of scanned pages.
    pdf.AddPage("q BT 3 Tr /F1 12 Tf 72 700 Td (hidden) Tj ET Q\n" + Show("shown", 72, 600));
    pdf.AddPage("BT 7 Tr /F1 12 Tf 72 700 Td (clipped) Tj ET\n");
    std::string xml = Extract(pdf);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    EXPECT_EQ(PageLines(xml, 1).size(), 2u);  // page line and </page>
    EXPECT_EQ(Contents(xml), (std::vector<std::string>{"shown"}));
    for (const std::string& line : PageLines(xml, 3)) EXPECT_NE(line.rfind("<margin", 0), 0u) << line;
    EXPECT_EQ(PageLines(xml, 3).back(), "</page>");
}

TEST(DocumentLines, EdgesOfTheFile) {
    PdfWriter none;  // no pages at all
    std::string xml = Extract(none);
    EXPECT_EQ(xml,
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
              "<pdf2xml author=\"\" keywords=\"\" date=\"\" subject=\"\">\n</pdf2xml>\n");

    testpdf::TempDir dir;
    pdfcore::CreateGlobalParams();
    pdfcore::ApplyExtractionSettings();
    std::string base = dir / "missing/folder/report";
    // The verbose log shows it; without it the PDF core's channel stays silent.
    std::string err;
    for (bool shown : {false, true}) {
        pdfcore::ShowCoreMessages(shown);
        testing::internal::CaptureStderr();
        {
            HtmlOutputDev dev(base.c_str(), "", "", "", "", true);
            EXPECT_FALSE(dev.isOk());
        }
        err = testing::internal::GetCapturedStderr();
        if (!shown) {
            EXPECT_EQ(err, "");
        }
    }
    pdfcore::ShowCoreMessages(false);
    pdfcore::DeleteGlobalParams();
    EXPECT_NE(err.find("Error: Couldn't open html file '" + base + ".xml'"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(base + ".xml"));
}
