#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "app/DefaultEngines.h"
#include "convert/ConversionJob.h"
#include "convert/MyConvertPara.h"
#include "support/PdfWriter.h"
#include "support/RtfChecks.h"
#include "support/RtfText.h"
#include "support/TablePdf.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using testpdf::RtfTableRows;
using testpdf::TableRules;
using testpdf::TableSpec;
using testpdf::TempDir;
using Rows = std::vector<std::vector<std::string>>;

namespace {

const Rows kFruit = {{"Fruit", "Quantity", "Price"}, {"Apples", "12", "3.50"}, {"Pears", "7", "12.25"}, {"Plums", "130", "0.75"}};

struct Converted {
    std::string xml, rtf;
};

Converted Convert(const TempDir& dir, const testpdf::PdfWriter& pdf, int mode = 0) {
    pdf.Save(dir / "table.pdf");
    MyConvertPara para;
    para.inputPath = dir / "table.pdf";
    para.outputDir = dir.path();
    para.xmlCopyPath = dir / "kept.xml";
    para.jobMode = mode;
    EXPECT_EQ(ConvertFile(para), 0);
    return {testpdf::ReadFile(dir / "kept.xml"), testpdf::ReadFile(dir / "table.rtf")};
}

// A sentence above the table and one below it, around the table's content.
testpdf::PdfWriter PageWithTable(const TableSpec& spec) {
    testpdf::PdfWriter pdf;
    const double bottom = spec.top - spec.rowHeight * static_cast<double>(spec.cells.size());
    pdf.AddPage(testpdf::TextLine("The harvest of the week is listed below.", 72, spec.top + 30, 10, "F2") +
                testpdf::TableContent(spec) +
                testpdf::TextLine("Prices are given per kilogram.", 72, bottom - 40, 10, "F2"));
    return pdf;
}

void ExpectEveryWordOnce(const Converted& c) {
    EXPECT_EQ(rtfcheck::MissingWords(c.xml, c.rtf), std::vector<std::string>{});
    EXPECT_EQ(rtfcheck::DuplicatedCharacters(c.xml, c.rtf), "");
}

size_t Count(const std::string& text, const std::string& pattern) {
    const std::regex re(pattern);
    return static_cast<size_t>(std::distance(std::sregex_iterator(text.begin(), text.end(), re), std::sregex_iterator()));
}

}  // namespace

TEST(TablesConversion, ARuledTableBecomesATableInReadingOrderAndItsRulesItsBorders) {
    TempDir dir;
    const Converted c = Convert(dir, PageWithTable(testpdf::FruitTable()));
    EXPECT_EQ(RtfTableRows(c.rtf), kFruit) << c.rtf;
    // Drawn as sixteen cell sides a row, the rules are borders now, not shapes as well.
    EXPECT_EQ(c.rtf.find("{\\shp"), std::string::npos);
    EXPECT_GE(Count(c.rtf, R"(\\clbrdrt\\brdrs)"), 12u);
    const std::string text = rtfcheck::VisibleText(c.rtf);
    EXPECT_LT(text.find("listed below"), text.find("Fruit"));
    EXPECT_LT(text.find("0.75"), text.find("per kilogram"));
    // Figures set flush right stay right.
    EXPECT_NE(c.rtf.find("\\qr"), std::string::npos);
    ExpectEveryWordOnce(c);
}

TEST(TablesConversion, TablesMissingSomeOfTheirRulesAreStillFound) {
    for (TableRules rules : {TableRules::HorizontalOnly, TableRules::VerticalOnly, TableRules::HeaderOnly}) {
        for (bool fills : {false, true}) {
            SCOPED_TRACE(static_cast<int>(rules) * 2 + fills);
            TempDir dir;
            TableSpec spec = testpdf::FruitTable();
            spec.rules = rules;
            spec.rulesAsFills = fills;
            const Converted c = Convert(dir, PageWithTable(spec));
            EXPECT_EQ(RtfTableRows(c.rtf), kFruit) << c.rtf;
            EXPECT_EQ(c.rtf.find("{\\shp"), std::string::npos);
            ExpectEveryWordOnce(c);
        }
    }
}

TEST(TablesConversion, CellsMergedAcrossColumnsAndDownRowsStayMerged) {
    TempDir dir;
    TableSpec spec;
    spec.cells = {{"Region", "Sales", "<"}, {"North", "10", "20"}, {"^", "30", "40"}, {"South", "50", "60"}};
    const Converted c = Convert(dir, PageWithTable(spec));
    const Rows rows = RtfTableRows(c.rtf);
    ASSERT_EQ(rows.size(), 4u) << c.rtf;
    EXPECT_EQ(rows[0], (std::vector<std::string>{"Region", "Sales", ""}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"North", "10", "20"}));
    EXPECT_EQ(rows[2], (std::vector<std::string>{"", "30", "40"}));
    EXPECT_EQ(Count(c.rtf, R"(\\clmgf)"), 1u);
    EXPECT_EQ(Count(c.rtf, R"(\\clmrg)"), 1u);
    EXPECT_EQ(Count(c.rtf, R"(\\clvmgf)"), 1u);
    EXPECT_EQ(Count(c.rtf, R"(\\clvmrg)"), 1u);
    ExpectEveryWordOnce(c);
}

TEST(TablesConversion, ShadedHeaderAndThickFrameBecomeCellGroundAndBorders) {
    TempDir dir;
    TableSpec spec = testpdf::FruitTable();
    spec.shadedRow = 0;
    spec.frameWidth = 2.5;
    const Converted c = Convert(dir, PageWithTable(spec));
    EXPECT_EQ(RtfTableRows(c.rtf), kFruit) << c.rtf;
    EXPECT_EQ(Count(c.rtf, R"(\\clcbpat)"), 3u) << "the header's three cells";
    // 2.5 points are 50 twips: the frame is the outer cells' border, thicker than the inner rules.
    EXPECT_GE(Count(c.rtf, R"(\\brdrw(4[0-9]|5[0-9]|60))"), 12u);
    EXPECT_EQ(c.rtf.find("{\\shp"), std::string::npos);
}

TEST(TablesConversion, AlignedFiguresWithoutRulesBecomeATableAndProseDoesNot) {
    TempDir dir;
    testpdf::PdfWriter pdf;
    std::string content;
    for (int i = 0; i < 4; ++i)
        content += testpdf::TextLine("This paragraph of running text introduces the figures of the quarter " +
                                         std::to_string(i) + " and goes on",
                                     72, 740 - 12 * i, 10, "F2");
    TableSpec spec = testpdf::FruitTable();
    spec.rules = TableRules::None;
    spec.headingsFlushRight = true;
    spec.top = 680;
    content += testpdf::TableContent(spec);
    pdf.AddPage(content);
    const Converted c = Convert(dir, pdf);
    EXPECT_EQ(RtfTableRows(c.rtf), kFruit) << c.rtf;
    ExpectEveryWordOnce(c);
}

TEST(TablesConversion, TwoColumnBodyTextIsNoTable) {
    TempDir dir;
    testpdf::PdfWriter pdf;
    std::string content;
    for (int i = 0; i < 20; ++i) {
        const std::string n = std::to_string(i);
        content += testpdf::TextLine("Left column line " + n + " of the article runs on", 72, 720 - 12 * i, 10, "F2");
        content += testpdf::TextLine("Right column line " + n + " of the article goes on", 320, 720 - 12 * i, 10, "F2");
    }
    pdf.AddPage(content);
    const Converted c = Convert(dir, pdf);
    EXPECT_EQ(c.rtf.find("\\trowd"), std::string::npos);
    ExpectEveryWordOnce(c);
}

TEST(TablesConversion, ATableSplitOverTwoPagesIsATableOnBoth) {
    TempDir dir;
    testpdf::PdfWriter pdf;
    TableSpec first = testpdf::FruitTable();
    first.top = 120;
    TableSpec second = testpdf::FruitTable();
    second.cells = {{"Cherries", "40", "9.00"}, {"Grapes", "18", "4.20"}, {"Lemons", "3", "1.10"}};
    second.top = 740;
    pdf.AddPage(testpdf::TextLine("The harvest of the week is listed below.", 72, 150, 10, "F2") +
                testpdf::TableContent(first));
    pdf.AddPage(testpdf::TableContent(second));
    const Converted c = Convert(dir, pdf);
    const Rows rows = RtfTableRows(c.rtf);
    ASSERT_EQ(rows.size(), 7u) << c.rtf;
    EXPECT_EQ(rows[4], (std::vector<std::string>{"Cherries", "40", "9.00"}));
    // The same columns on both pages.
    const std::string page2 = c.rtf.substr(c.rtf.find("\\sbkpage"));
    const auto edges = [](const std::string& rtf) {
        std::smatch m;
        std::regex_search(rtf, m, std::regex(R"(\\trowd[^\n]*?(\\cellx[0-9]+)[^\n]*?(\\cellx[0-9]+)[^\n]*?(\\cellx[0-9]+))"));
        return m.size() == 4 ? m[1].str() + m[2].str() + m[3].str() : std::string();
    };
    EXPECT_EQ(edges(c.rtf), edges(page2));
    EXPECT_NE(edges(page2), "");
}

TEST(TablesConversion, TextLayoutsWriteEachRowAsALineWithTabsBetweenCells) {
    for (int mode : {2, 3}) {
        SCOPED_TRACE(mode);
        TempDir dir;
        TableSpec spec = testpdf::FruitTable();
        spec.rules = TableRules::None;
        spec.headingsFlushRight = true;
        const Converted c = Convert(dir, PageWithTable(spec), mode);
        EXPECT_EQ(c.rtf.find("\\trowd"), std::string::npos);
        const size_t apples = c.rtf.find("Apples");
        ASSERT_NE(apples, std::string::npos);
        const std::string line = c.rtf.substr(apples, c.rtf.find("\\par", apples) - apples);
        EXPECT_EQ(Count(line, R"(\\tab)"), 2u) << c.rtf;
        ExpectEveryWordOnce(c);
    }
}

TEST(TablesConversion, ALongRuledTableStaysATableRatherThanBecomingAPicture) {
    TempDir dir;
    TableSpec spec;
    spec.columns = {40, 130, 220, 310, 400, 490, 580};
    spec.top = 740;
    spec.rowHeight = 16;
    for (int r = 0; r < 40; ++r) {
        spec.cells.emplace_back();
        for (int c = 0; c < 6; ++c) spec.cells.back().push_back(c == 0 ? "Item" + std::to_string(r) : std::to_string(r * 7 + c));
    }
    const Converted c = Convert(dir, PageWithTable(spec));
    // Drawn cell side by cell side, the grid has some 500 rules.
    EXPECT_EQ(RtfTableRows(c.rtf).size(), 40u);
    EXPECT_EQ(c.rtf.find("\\pict"), std::string::npos);
    ExpectEveryWordOnce(c);
}
