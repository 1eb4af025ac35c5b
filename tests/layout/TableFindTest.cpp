#include <gtest/gtest.h>

#include <string>

#include "layout/TableFind.h"
#include "support/RtfTestItems.h"

namespace {

constexpr int kLeft = 100, kTop = 100, kCellWidth = 100, kCellHeight = 30;

// A page of items, each its own line, and the rule pieces drawn over them.
struct TablePage {
    rtftest::ItemSet set;
    std::vector<CRtfXmlText*> lines;
    std::vector<RulePiece> rules;

    CRtfXmlText* Text(RtfRect box, const std::string& text) {
        CRtfXmlText* item = set.Add(box, {text});
        lines.push_back(item);
        return item;
    }
    void Horizontal(int y, int x0, int x1, int twips = 15, int colour = 0) {
        rules.push_back({{x0, y - 1, x1, y + 1}, false, colour, twips, 0});
    }
    void Vertical(int x, int y0, int y1, int twips = 15, int colour = 0) {
        rules.push_back({{x - 1, y0, x + 1, y1}, false, colour, twips, 0});
    }
    void Ground(RtfRect box, int colour) { rules.push_back({box, true, colour, 0, 0}); }

    // A rows x columns grid of short cell texts ("r1c2") from kLeft, kTop.
    void Cells(int rows, int columns) {
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c) {
                int x = kLeft + c * kCellWidth + 10, y = kTop + r * kCellHeight + 8;
                Text({x, y, x + 40, y + 14}, "r" + std::to_string(r) + "c" + std::to_string(c));
            }
    }
    void RowRules(int rows, int columns) {
        for (int r = 0; r <= rows; ++r) Horizontal(kTop + r * kCellHeight, kLeft, kLeft + columns * kCellWidth);
    }
    void ColumnRules(int rows, int columns) {
        for (int c = 0; c <= columns; ++c) Vertical(kLeft + c * kCellWidth, kTop, kTop + rows * kCellHeight);
    }
    std::vector<std::unique_ptr<PageTable>> Find() const { return FindTables(lines, rules); }
};

const TableCell* CellAt(const PageTable& table, int row, int column) {
    for (const TableCell& cell : table.cells)
        if (cell.row == row && cell.column == column) return &cell;
    return nullptr;
}

std::string Words(const TableCell* cell) {
    std::string words;
    for (const CRtfXmlText* item : cell->items) words += (words.empty() ? "" : " ") + item->runs.front()->text;
    return words;
}

// Every grid cell holds its own text and nothing else.
void ExpectCellTexts(const PageTable& table, int rows, int columns) {
    ASSERT_EQ(table.Rows(), rows);
    ASSERT_EQ(table.Columns(), columns);
    ASSERT_EQ(table.cells.size(), static_cast<size_t>(rows * columns));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            EXPECT_EQ(Words(CellAt(table, r, c)), "r" + std::to_string(r) + "c" + std::to_string(c));
}

TEST(TableFindRuled, AFullyRuledTablePutsEveryItemInItsCellAndTakesItsRules) {
    TablePage page;
    page.Cells(4, 3);
    page.RowRules(4, 3);
    page.ColumnRules(4, 3);
    auto tables = page.Find();
    ASSERT_EQ(tables.size(), 1u);
    const PageTable& table = *tables.front();
    EXPECT_TRUE(table.ruled);
    ExpectCellTexts(table, 4, 3);
    for (const TableCell& cell : table.cells) {
        EXPECT_TRUE(cell.top.drawn && cell.bottom.drawn && cell.left.drawn && cell.right.drawn);
        EXPECT_EQ(cell.top.widthTwips, 15);
    }
    EXPECT_EQ(table.rulesTaken.size(), page.rules.size());
}

TEST(TableFindRuled, OneRectanglePerCellWithGapsBetweenPiecesGivesTheSameGrid) {
    TablePage page;
    page.Cells(4, 3);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) {
            int x0 = kLeft + c * kCellWidth, y0 = kTop + r * kCellHeight;
            page.Horizontal(y0, x0 + 1, x0 + kCellWidth - 1);
            page.Horizontal(y0 + kCellHeight + 1, x0 + 1, x0 + kCellWidth - 1);  // a unit off the next top
            page.Vertical(x0, y0, y0 + kCellHeight);
            page.Vertical(x0 + kCellWidth, y0, y0 + kCellHeight);
        }
    auto tables = page.Find();
    ASSERT_EQ(tables.size(), 1u);
    ExpectCellTexts(*tables.front(), 4, 3);
    EXPECT_EQ(tables.front()->rulesTaken.size(), page.rules.size());
}

TEST(TableFindRuled, TablesMissingSomeOfTheirRulesAreStillFound) {
    TablePage noHorizontals;
    noHorizontals.Cells(4, 3);
    noHorizontals.ColumnRules(4, 3);
    auto tables = noHorizontals.Find();
    ASSERT_EQ(tables.size(), 1u);
    ExpectCellTexts(*tables.front(), 4, 3);

    TablePage innerVerticalsOnly;
    innerVerticalsOnly.Cells(4, 3);
    for (int c = 1; c < 3; ++c) innerVerticalsOnly.Vertical(kLeft + c * kCellWidth, kTop, kTop + 4 * kCellHeight);
    tables = innerVerticalsOnly.Find();
    ASSERT_EQ(tables.size(), 1u);
    ExpectCellTexts(*tables.front(), 4, 3);

    TablePage noVerticals;
    noVerticals.Cells(4, 3);
    noVerticals.RowRules(4, 3);
    tables = noVerticals.Find();
    ASSERT_EQ(tables.size(), 1u);
    ExpectCellTexts(*tables.front(), 4, 3);
    EXPECT_FALSE(CellAt(*tables.front(), 1, 1)->left.drawn);
    EXPECT_TRUE(CellAt(*tables.front(), 1, 1)->top.drawn);

    TablePage headerRule;
    headerRule.Cells(4, 3);
    headerRule.Horizontal(kTop + kCellHeight, kLeft, kLeft + 3 * kCellWidth);
    tables = headerRule.Find();
    ASSERT_EQ(tables.size(), 1u);
    ExpectCellTexts(*tables.front(), 4, 3);
    EXPECT_TRUE(CellAt(*tables.front(), 0, 2)->bottom.drawn);
    EXPECT_FALSE(CellAt(*tables.front(), 2, 2)->bottom.drawn);

    TablePage lightStyle;  // rules above and below the table and under its heading
    lightStyle.Cells(4, 3);
    for (int r : {0, 1, 4}) lightStyle.Horizontal(kTop + r * kCellHeight, kLeft, kLeft + 3 * kCellWidth);
    tables = lightStyle.Find();
    ASSERT_EQ(tables.size(), 1u);
    ExpectCellTexts(*tables.front(), 4, 3);
    EXPECT_TRUE(CellAt(*tables.front(), 3, 0)->bottom.drawn);
}

TEST(TableFindRuled, AMissingGridLineMergesTheCellsOnBothSides) {
    TablePage page;
    page.Cells(4, 3);
    page.Horizontal(kTop, kLeft, kLeft + 300);
    page.Horizontal(kTop + 30, kLeft, kLeft + 300);
    page.Horizontal(kTop + 60, kLeft, kLeft + 300);
    page.Horizontal(kTop + 90, kLeft + 100, kLeft + 300);  // not across column 0: rows 2 and 3 merge there
    page.Horizontal(kTop + 120, kLeft, kLeft + 300);
    page.Vertical(kLeft, kTop, kTop + 120);
    page.Vertical(kLeft + 100, kTop, kTop + 120);
    page.Vertical(kLeft + 200, kTop + 30, kTop + 120);  // not in row 0: columns 1 and 2 merge there
    page.Vertical(kLeft + 300, kTop, kTop + 120);
    auto tables = page.Find();
    ASSERT_EQ(tables.size(), 1u);
    const PageTable& table = *tables.front();
    ASSERT_EQ(table.Rows(), 4);
    ASSERT_EQ(table.Columns(), 3);
    ASSERT_EQ(table.cells.size(), 10u);
    const TableCell* wide = CellAt(table, 0, 1);
    EXPECT_EQ(wide->columnSpan, 2);
    EXPECT_EQ(Words(wide), "r0c1 r0c2");
    const TableCell* tall = CellAt(table, 2, 0);
    EXPECT_EQ(tall->rowSpan, 2);
    EXPECT_EQ(Words(tall), "r2c0 r3c0");
    EXPECT_EQ(CellAt(table, 3, 0), nullptr);
    EXPECT_EQ(Words(CellAt(table, 3, 2)), "r3c2");
}

TEST(TableFindRuled, ShadingAndAThickColouredFrameBecomeCellGroundsAndBorders) {
    TablePage page;
    page.Ground({0, 0, 900, 1200}, 0xF0F0F0);  // the page's background
    page.Cells(3, 3);
    page.Ground({kLeft, kTop, kLeft + 300, kTop + 30}, 0xC0C0C0);
    page.Ground({kLeft + 100, kTop + 60, kLeft + 200, kTop + 90}, 0x00FFFF);
    const int red = 255;
    page.Horizontal(kTop, kLeft, kLeft + 300, 60, red);
    page.Horizontal(kTop + 90, kLeft, kLeft + 300, 60, red);
    page.Vertical(kLeft, kTop, kTop + 90, 60, red);
    page.Vertical(kLeft + 300, kTop, kTop + 90, 60, red);
    for (int i = 1; i < 3; ++i) {
        page.Horizontal(kTop + i * 30, kLeft, kLeft + 300, 10);
        page.Vertical(kLeft + i * 100, kTop, kTop + 90, 10);
    }
    auto tables = page.Find();
    ASSERT_EQ(tables.size(), 1u);
    const PageTable& table = *tables.front();
    ExpectCellTexts(table, 3, 3);
    const TableCell* corner = CellAt(table, 0, 0);
    EXPECT_EQ(corner->top.widthTwips, 60);
    EXPECT_EQ(corner->top.colour, red);
    EXPECT_EQ(corner->left.widthTwips, 60);
    EXPECT_EQ(corner->right.widthTwips, 10);
    EXPECT_EQ(corner->right.colour, 0);
    EXPECT_EQ(corner->ground, 0xC0C0C0);
    EXPECT_EQ(CellAt(table, 0, 2)->ground, 0xC0C0C0);
    EXPECT_EQ(CellAt(table, 2, 1)->ground, 0x00FFFF);
    EXPECT_FALSE(CellAt(table, 1, 1)->ground.has_value());
    EXPECT_FALSE(CellAt(table, 2, 0)->ground.has_value());
    std::vector<size_t> taken = table.rulesTaken;
    EXPECT_EQ(std::count(taken.begin(), taken.end(), 0u), 0) << "the page background stays a drawing";
    EXPECT_EQ(taken.size(), page.rules.size() - 1);
}

TEST(TableFindRuled, ALoneRuleOrAFrameAroundTextIsNoTable) {
    TablePage underHeading;
    underHeading.Text({100, 100, 260, 118}, "A heading");
    underHeading.Horizontal(121, 100, 500);
    for (int i = 0; i < 4; ++i) underHeading.Text({100, 130 + 20 * i, 500, 146 + 20 * i}, "a line of prose");
    EXPECT_TRUE(underHeading.Find().empty());

    TablePage framed;
    for (int i = 0; i < 4; ++i) framed.Text({110, 110 + 20 * i, 490, 126 + 20 * i}, "a boxed paragraph line");
    framed.Horizontal(100, 100, 500);
    framed.Horizontal(200, 100, 500);
    framed.Vertical(100, 100, 200);
    framed.Vertical(500, 100, 200);
    EXPECT_TRUE(framed.Find().empty());
}

// A paragraph on the left and a table of figures right of it, each row a label and two
// amounts whose right edges line up.
TEST(TableFindBorderless, RightAlignedFiguresBesideAParagraphBecomeATableWithoutIt) {
    TablePage page;
    std::vector<CRtfXmlText*> paragraph;
    const char* labels[] = {"Region", "North", "South-west", "East"};
    const char* figures[][2] = {{"2025", "2026"}, {"1,204.50", "98.00"}, {"17.25", "1,310.75"}, {"560.00", "4.10"}};
    for (int r = 0; r < 4; ++r) {
        int y = 100 + 24 * r;
        paragraph.push_back(page.Text({60, y, 380, y + 14}, "running text beside the table"));
        page.Text({420, y, 420 + 30 + 8 * r, y + 14}, labels[r]);
        for (int c = 0; c < 2; ++c) {
            int right = 600 + 100 * c, width = 6 * static_cast<int>(std::string(figures[r][c]).size());
            page.Text({right - width, y, right, y + 14}, figures[r][c]);
        }
    }
    paragraph.push_back(page.Text({60, 196, 300, 210}, "its last line"));
    auto tables = page.Find();
    ASSERT_EQ(tables.size(), 1u);
    const PageTable& table = *tables.front();
    EXPECT_FALSE(table.ruled);
    ASSERT_EQ(table.Rows(), 4);
    ASSERT_EQ(table.Columns(), 3);
    EXPECT_EQ(Words(CellAt(table, 2, 0)), "South-west");
    EXPECT_EQ(Words(CellAt(table, 2, 2)), "1,310.75");
    EXPECT_EQ(CellAt(table, 1, 0)->align, CellAlign::Left);
    EXPECT_EQ(CellAt(table, 1, 1)->align, CellAlign::Right);
    EXPECT_EQ(CellAt(table, 3, 2)->align, CellAlign::Right);
    for (const TableCell& cell : table.cells)
        for (const CRtfXmlText* item : cell.items)
            EXPECT_EQ(std::count(paragraph.begin(), paragraph.end(), item), 0);
    EXPECT_TRUE(table.rulesTaken.empty());
}

// Justified lines of words: the gaps vary from line to line and never line up.
void JustifiedColumn(TablePage& page, int left, int right, int lines, int seed) {
    for (int l = 0; l < lines; ++l) {
        std::vector<int> widths;
        int total = 0;
        for (int w = 0; (total < right - left - 60); ++w) {
            widths.push_back(12 + (seed * 7 + l * 13 + w * 29) % 40);
            total += widths.back() + 4;
        }
        int lineRight = l == lines - 1 ? left + total / 2 : right;
        double gap = static_cast<double>(lineRight - left - (total - 4 * static_cast<int>(widths.size()))) /
                     static_cast<double>(widths.size() - 1);
        double x = left;
        for (int w : widths) {
            int x0 = static_cast<int>(x);
            if (x0 + w > lineRight) break;
            page.Text({x0, 100 + 20 * l, x0 + w, 114 + 20 * l}, "word");
            x += w + gap;
        }
    }
}

TEST(TableFindBorderless, RunningTextInTwoColumnsAndListsAreNoTables) {
    TablePage columns;
    JustifiedColumn(columns, 60, 400, 12, 1);
    JustifiedColumn(columns, 430, 770, 12, 2);
    EXPECT_TRUE(columns.Find().empty());

    TablePage wholeLines;
    for (int l = 0; l < 8; ++l) {
        wholeLines.Text({60, 100 + 20 * l, l % 4 == 3 ? 200 : 400, 114 + 20 * l}, "a line of the left column");
        wholeLines.Text({430, 100 + 20 * l, l % 3 == 2 ? 600 : 770, 114 + 20 * l}, "a line of the right column");
    }
    EXPECT_TRUE(wholeLines.Find().empty());

    TablePage bullets;
    for (int i = 0; i < 3; ++i) {
        int y = 100 + 60 * i;
        bullets.Text({60, y, 66, y + 14}, "\xE2\x80\xA2");
        bullets.Text({84, y, 520, y + 14}, "a long first line of a list item that wraps");
        bullets.Text({84, y + 20, 500, y + 34}, "onto a second line under its own text");
    }
    EXPECT_TRUE(bullets.Find().empty());

    TablePage numbered;
    const char* entries[] = {"Apples", "Pears and plums", "Cherries", "Figs"};
    for (int i = 0; i < 4; ++i) {
        numbered.Text({60, 100 + 20 * i, 72, 114 + 20 * i}, std::to_string(i + 1) + ".");
        numbered.Text({100, 100 + 20 * i, 140 + 10 * i, 114 + 20 * i}, entries[i]);
    }
    EXPECT_TRUE(numbered.Find().empty());
}

}  // namespace
