#include <gtest/gtest.h>

#include <strings.h>

#include <cstring>
#include <map>
#include <string>

#include "rtf/FontNameMapping.h"

namespace {

TEST(FontSubstitution, TableKeepsItsRowsAndOrder) {
    size_t count = 0;
    const FontSubstitution* rows = FontSubstitutionRows(count);
    ASSERT_GT(count, 3000u);
    EXPECT_STREQ(rows[0].key, "");
    EXPECT_STREQ(rows[0].family, "Times New Roman");

    std::map<std::string, std::string> byKey;
    for (size_t i = 1; i < count; ++i) {
        ASSERT_GT(std::strlen(rows[i].key), 0u) << i;
        ASSERT_GT(std::strlen(rows[i].family), 0u) << i;
        // Ascending without regard to case: a longer key comes after its beginning.
        if (i > 1) {
            EXPECT_LE(strcasecmp(rows[i - 1].key, rows[i].key), 0) << rows[i - 1].key << " / " << rows[i].key;
        }
        EXPECT_TRUE(byKey.emplace(rows[i].key, rows[i].family).second) << "twice: " << rows[i].key;
    }

    const std::pair<const char*, const char*> telling[] = {
        {"Aachen-Bold", "Aachen Bold"},
        {"ACaslon-Bold", "ACaslon"},
        {"Arial Narrow", "Arial Narrow "},
        {"Arial", "Arial"},
        {"Arial,Bold", "Arial"},
        {"Arial-BoldMT", "Arial"},
        {"ArialNarrow-Bold", "Arial Narrow"},
        {"Courier", "Courier New"},
        {"Courier-Bold", "Courier New"},
        {"CourierNewPSMT", "Courier New"},
        {"Helvetica", "Helvetica"},
        {"Helvetica-Bold", "Helvetica"},
        {"Helvetica-Condensed", "Helvetica Narrow"},
        {"Symbol", "Symbol"},
        {"Times-Roman", "Times New Roman"},
        {"TimesNewRomanPS-BoldMT", "Times New Roman"},
        {"ZapfDingbats", "Zapf Dingbats"},
        {"Zurich-BoldBT", "Zurich Bold BT"},
        {"ZurichBT", "Zurich BT"},
    };
    for (const auto& [key, family] : telling) {
        auto it = byKey.find(key);
        ASSERT_NE(it, byKey.end()) << key;
        EXPECT_EQ(it->second, family) << key;
    }
}

TEST(FontSubstitution, EveryKeyFindsItsOwnFamily) {
    // No row is hidden behind a later key contained in it: the table gives every
    // name it lists the family it lists it with.
    size_t count = 0;
    const FontSubstitution* rows = FontSubstitutionRows(count);
    for (size_t i = 1; i < count; ++i) EXPECT_EQ(NormaliseFamily(rows[i].key), rows[i].family) << rows[i].key;
}

TEST(FontSubstitution, NamesFromPdfFiles) {
    EXPECT_EQ(NormaliseFamily(""), "");
    EXPECT_EQ(NormaliseFamily("Times"), "Times New Roman");
    EXPECT_EQ(NormaliseFamily("Arial-BoldMT"), "Arial");
    EXPECT_EQ(NormaliseFamily("ABCDEF+Arial-BoldMT"), "Arial");
    EXPECT_EQ(NormaliseFamily("Qqqqqqq"), "Times New Roman");  // no key inside
    EXPECT_EQ(NormaliseFamily("Arial"), "Arial");               // "Arial Narrow" cut at its blank
    EXPECT_EQ(NormaliseFamily("ArialNarrow"), "Arial Narrow");
    EXPECT_EQ(NormaliseFamily("Helvetica-Condensed-Black"), "Helvetica Condensed Black");
    EXPECT_EQ(NormaliseFamily("Helvetica-Condensed"), "Helvetica Narrow");
    EXPECT_EQ(NormaliseFamily("XYZABC+TimesNewRomanPS-ItalicMT"), "Times New Roman");
    EXPECT_EQ(NormaliseFamily("Courier-Oblique"), "Courier New");
    EXPECT_EQ(NormaliseFamily("Verdana,Bold"), "Verdana");
    EXPECT_EQ(NormaliseFamily("SymbolMT"), "Symbol");
    // Case matters: the keys are found as written.
    EXPECT_EQ(NormaliseFamily("ARIALMT"), "Times New Roman");
    // Names the table does not list take the family of a name they contain.
    EXPECT_EQ(NormaliseFamily("Arial-BoldMT-Subset7"), "Arial");
    // Faces of TeX and of the fonts packages.
    EXPECT_EQ(NormaliseFamily("LiberationSans-Bold"), "Liberation Sans");
    EXPECT_EQ(NormaliseFamily("DejaVuSans-Oblique"), "DejaVu Sans");
}

}  // namespace
