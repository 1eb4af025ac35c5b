#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Process.h"
#include "support/OfficeRoundTrip.h"
#include "support/PdfWriter.h"
#include "support/RunProgram.h"
#include "support/TablePdf.h"

namespace fs = std::filesystem;
using testpdf::TableSpec;
using Rows = std::vector<std::vector<std::string>>;

namespace {

// Each table on a page of its own file, converted in the default layout and read
// back by LibreOffice, which writes its tables as HTML rows and cells.
std::vector<Rows> TablesAsLibreOfficeReadsThem(const std::vector<TableSpec>& specs) {
    testpdf::TempDir dir;
    std::vector<std::string> rtfs;
    for (size_t i = 0; i < specs.size(); ++i) {
        testpdf::PdfWriter pdf;
        pdf.AddPage(testpdf::TextLine("The table of the page:", 72, specs[i].top + 30, 10, "F2") +
                    testpdf::TableContent(specs[i]));
        const std::string name = "table" + std::to_string(i);
        pdf.Save(dir / (name + ".pdf"));
        auto run = testpdf::RunProgram({testpdf::ConvertProgram(), "-q", "-o", dir.path(), dir / (name + ".pdf")});
        EXPECT_EQ(run.status, 0) << run.errors;
        rtfs.push_back(dir / (name + ".rtf"));
    }
    std::vector<std::string> argv = {"soffice", "-env:UserInstallation=file://" + (dir / "profile"), "--headless",
                                     "--convert-to", "html", "--outdir", dir / "html"};
    argv.insert(argv.end(), rtfs.begin(), rtfs.end());
    EXPECT_EQ(platform::RunProcess(argv).status, 0);
    std::vector<Rows> tables;
    for (size_t i = 0; i < specs.size(); ++i)
        tables.push_back(testpdf::HtmlTableRows(testpdf::ReadFile(dir / ("html/table" + std::to_string(i) + ".html"))));
    return tables;
}

}  // namespace

TEST(TablesInLibreOffice, RuledPartlyRuledMergedShadedAndBorderlessTablesArriveWithTheirRowsAndCells) {
    if (!officetest::OfficeAvailable()) GTEST_SKIP() << "LibreOffice is not installed";
    TableSpec merged;
    merged.cells = {{"Region", "Sales", "<"}, {"North", "10", "20"}, {"^", "30", "40"}, {"South", "50", "60"}};
    std::vector<TableSpec> specs = {testpdf::FruitTable(), merged};
    for (testpdf::TableRules rules : {testpdf::TableRules::HeaderOnly, testpdf::TableRules::HorizontalOnly,
                                      testpdf::TableRules::VerticalOnly, testpdf::TableRules::None}) {
        specs.push_back(testpdf::FruitTable());
        specs.back().rules = rules;
        specs.back().headingsFlushRight = rules == testpdf::TableRules::None;
    }
    specs.push_back(testpdf::FruitTable());
    specs.back().shadedRow = 0;
    specs.back().frameWidth = 2.5;
    const std::vector<Rows> tables = TablesAsLibreOfficeReadsThem(specs);
    ASSERT_EQ(tables.size(), specs.size());
    const Rows fruit = {{"Fruit", "Quantity", "Price"}, {"Apples", "12", "3.50"}, {"Pears", "7", "12.25"}, {"Plums", "130", "0.75"}};
    EXPECT_EQ(tables[0], fruit);
    // The merged cells are one cell each: the header's over two columns, North over two rows.
    EXPECT_EQ(tables[1], (Rows{{"Region", "Sales"}, {"North", "10", "20"}, {"30", "40"}, {"South", "50", "60"}}));
    for (size_t i = 2; i < tables.size(); ++i) EXPECT_EQ(tables[i], fruit) << "table " << i;
}
