#include <gtest/gtest.h>

#include "rtf/CRtfFontTable.h"
#include "rtf/FontNameMapping.h"
#include "rtf/RtfColorData.h"
#include "support/RtfTestXml.h"
#include "platform/Registry.h"

using namespace rtftest;

namespace {

std::unique_ptr<XmlFontSpec> Spec(int id, const std::string& name, const std::string& alternate = {}) {
    auto f = std::make_unique<XmlFontSpec>();
    f->index = id;
    f->name = name;
    f->alternate = alternate;
    return f;
}

}  // namespace

TEST(ColourList, BlackFirstAndNoColourTwice) {
    CRtfColorList colours;
    ASSERT_EQ(colours.entries.size(), 1u);
    EXPECT_EQ(colours.AddColor(0, 0, 0)->index, 0);
    RtfColorData* red = colours.ParseColor("\"#ff0000\"");
    ASSERT_TRUE(red);
    EXPECT_EQ(red->index, 1);
    EXPECT_EQ(colours.ParseColor("#FF0000"), red);
    EXPECT_EQ(colours.ParseColor("#000000")->index, 0);
    EXPECT_EQ(colours.entries.size(), 2u);
    // Six characters that are not all hexadecimal read as far as they are valid.
    RtfColorData* odd = colours.ParseColor("#1gzz0a");
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->red, 1);
    EXPECT_EQ(odd->green, 0);
    EXPECT_EQ(odd->blue, 10);
    EXPECT_FALSE(colours.ParseColor("#fff"));
    EXPECT_FALSE(colours.ParseColor("#1234567"));
}

TEST(FontTable, DefaultEntryAndSharedEntries) {
    CRtfFontTable table;
    ASSERT_EQ(table.entries.size(), 1u);
    EXPECT_EQ(table.DefaultEntry()->index, 0);
    EXPECT_EQ(table.DefaultEntry()->name, "Times New Roman");

    // The same PDF name under two ids shares one entry.
    FontEntry* a = table.AddFont(Spec(0, "Times New Roman"));
    FontEntry* b = table.AddFont(Spec(1, "Times New Roman"));
    EXPECT_EQ(a, b);
    EXPECT_EQ(a, table.DefaultEntry());
    // A name that resolves nowhere takes the default entry and is marked substituted.
    FontEntry* none = table.AddFont(Spec(2, "NoSuchFaceAnywhere", "NorThisOne"));
    EXPECT_EQ(none, table.DefaultEntry());
    EXPECT_EQ(table.FindSpec(2)->substituted, 1);
    EXPECT_EQ(table.entries.size(), 1u);

    EXPECT_EQ(table.EntryIndexOfSpec(2), 0);
    EXPECT_EQ(table.EntryIndexOfSpec(99), 0);
    EXPECT_EQ(table.SizeOfSpec(99), 10);
    EXPECT_EQ(table.FindSpec(99), nullptr);
    EXPECT_EQ(table.FindEntry(5), nullptr);
    EXPECT_EQ(table.specs.size(), 3u);
}

TEST(FontTable, NamesDifferingInCaseEndOnOneEntry) {
    if (!IsInstalled("times new roman")) GTEST_SKIP() << "font catalogue without case-insensitive names";
    CRtfFontTable table;
    FontEntry* a = table.AddFont(Spec(0, "times new roman"));
    EXPECT_EQ(a, table.DefaultEntry());
    EXPECT_EQ(table.FindSpec(0)->substituted, 0);
    EXPECT_EQ(table.entries.size(), 1u);
}

TEST(FontTable, InstalledFacesGetEntriesInOrderOfFirstUse) {
    if (!IsInstalled("Arial") || !IsInstalled("Courier New")) GTEST_SKIP() << "Arial and Courier New not known here";
    CRtfFontTable table;
    FontEntry* arial = table.AddFont(Spec(0, "Arial"));
    FontEntry* courier = table.AddFont(Spec(1, "Courier New"));
    FontEntry* again = table.AddFont(Spec(2, "arial"));
    ASSERT_TRUE(arial && courier);
    EXPECT_EQ(arial->index, 1);
    EXPECT_EQ(courier->index, 2);
    EXPECT_EQ(again, arial);
    // The alternate name is tried when the name does not resolve.
    FontEntry* alt = table.AddFont(Spec(3, "NoSuchFaceAnywhere", "Courier New"));
    EXPECT_EQ(alt, courier);
    EXPECT_EQ(table.entries.size(), 3u);
}

TEST(FontTable, FontspecLinesRegisterWithSizeAndColour) {
    testpdf::TempDir dir;
    std::string xml = Root() + PageLine(1) + FontSpec(0, 0, "Times", "#ff0000") + FontSpec(1, 65536, "Times", "#FF0000") +
                      FontSpec(2, 9, "Times", "nonsense") + "</page>\n" + kEnd;
    auto doc = Load(dir, xml);
    ASSERT_TRUE(doc);
    XmlFontSpec* a = doc->Document().fonts.FindSpec(0);
    XmlFontSpec* b = doc->Document().fonts.FindSpec(1);
    XmlFontSpec* c = doc->Document().fonts.FindSpec(2);
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(a->size, 10);
    EXPECT_EQ(b->size, 10);
    EXPECT_EQ(c->size, 9);
    EXPECT_EQ(a->colour, b->colour);
    EXPECT_EQ(c->colour, nullptr);
    EXPECT_EQ(a->entry, b->entry);
    EXPECT_EQ(doc->Document().colours.entries.size(), 2u);
}

TEST(FontTable, MappingFileNamesAReplacementFace) {
    if (!IsInstalled("Arial")) GTEST_SKIP() << "Arial not known here";
    testpdf::TempDir dir;
    platform::SetRegistryPath(dir / "registry.ini");
    ASSERT_TRUE(platform::RegistryWrite("SOFTWARE/VellumorRtfTest", "DLL_FONT", dir.path()));
    testpdf::WriteFile(dir / "xml2rtffont.map", "NoSuchFaceAnywhere=Arial\nOtherMissingFace=NotInstalledEither\n");
    SetFontMapKey("SOFTWARE/VellumorRtfTest");
    {
        CRtfFontTable table;
        FontEntry* mapped = table.AddFont(Spec(0, "NoSuchFaceAnywhere"));
        ASSERT_TRUE(mapped);
        EXPECT_EQ(mapped->name, "Arial");
        EXPECT_EQ(mapped->index, 1);
        EXPECT_EQ(table.FindSpec(0)->substituted, 1);
        // A replacement that is not installed is no replacement.
        EXPECT_EQ(table.AddFont(Spec(1, "OtherMissingFace")), table.DefaultEntry());
        EXPECT_EQ(table.FindSpec(1)->substituted, 1);
    }
    SetFontMapKey({});
    platform::SetRegistryPath({});
}
