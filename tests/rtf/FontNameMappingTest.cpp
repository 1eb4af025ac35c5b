#include <gtest/gtest.h>

#include "platform/Registry.h"
#include "rtf/FontNameMapping.h"
#include "support/TempDir.h"

namespace {

TEST(FontNameMapping, CleanFaceNameDropsSubsetPrefixesAndCommas) {
    bool nonEmpty = false;
    EXPECT_EQ(CleanFaceName("ABCDEF+Foo,Bold", &nonEmpty), "Foo-Bold");
    EXPECT_TRUE(nonEmpty);
    EXPECT_EQ(CleanFaceName("+Foo"), "+Foo");  // a leading "+" is not a subset prefix
    EXPECT_EQ(CleanFaceName("Arial,Bold,Italic"), "Arial-Bold-Italic");
    EXPECT_EQ(CleanFaceName("A+B+C"), "B+C");  // only the first prefix goes
    EXPECT_EQ(CleanFaceName("ABCDEF+", &nonEmpty), "");
    EXPECT_FALSE(nonEmpty);
    EXPECT_EQ(CleanFaceName("", &nonEmpty), "");
    EXPECT_FALSE(nonEmpty);
}

TEST(FontNameMapping, FamilyClassTable) {
    const std::pair<const char*, const char*> rows[] = {
        {"times new roman", "\\froman"}, {"palatino", "\\froman"},   {"symbol", "\\ftech"},
        {"wingdings", "\\ftech"},        {"wingdings 2", "\\ftech"}, {"wingdings 3", "\\ftech"},
        {"old english", "\\fdecor"},     {"itc zapf", "\\fdecor"},   {"zapf itc", "\\fdecor"},
        {"courier", "\\fmodern"},        {"pica", "\\fmodern"},      {"serif", "\\fserif"},
        {"helvetica", "\\fswiss"},       {"arial", "\\fswiss"},      {"trebuchetms", "\\fswiss"},
        {"cursive", "\\fscript"},        {"miriam", "\\fbidi"},
    };
    for (const auto& [face, family] : rows) EXPECT_EQ(FamilyClass(face), family) << face;
    EXPECT_EQ(FamilyClass("Times New Roman"), "\\froman");  // compared in lower case
    EXPECT_EQ(FamilyClass("COURIER"), "\\fmodern");
    // Exact names only.
    EXPECT_EQ(FamilyClass("Courier New"), "");
    EXPECT_EQ(FamilyClass("Arial Narrow"), "");
    EXPECT_EQ(FamilyClass("Trebuchet MS"), "");
    EXPECT_EQ(FamilyClass(""), "");
}

TEST(FontNameMapping, InstalledFaces) {
    EXPECT_TRUE(IsInstalled("Times New Roman"));
    EXPECT_TRUE(IsInstalled("Arial"));
    EXPECT_FALSE(IsInstalled(""));
    EXPECT_FALSE(IsInstalled("Zurich Bold BT Xyzzy"));
    EXPECT_FALSE(IsInstalled("Caf\xe9 Sans"));  // Latin-1 bytes from a PDF name
    // fontconfig compares family names without blanks, so the substitution
    // table's "Arial Narrow " (with its final blank) is an installed face too.
    EXPECT_TRUE(IsInstalled(NormaliseFamily("ArialNarrow")));
    EXPECT_TRUE(IsInstalled("Arial Narrow "));
}

// The mapping file lives in the folder that "DLL_FONT" names under the key.
class MappingFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetRegistryPath(dir / "registry.ini");
        SetFontMapKey("SOFTWARE/VellumorTest");
    }
    void TearDown() override {
        SetFontMapKey({});
        platform::SetRegistryPath({});
    }
    std::string Map(const std::string& name) {
        std::string mapped = "stale";
        return MapFontName(name, mapped) ? mapped : "<none:" + mapped + ">";
    }
    testpdf::TempDir dir;
};

TEST_F(MappingFileTest, LinesForTheNameAreJoinedAndTrimmed) {
    ASSERT_TRUE(platform::RegistryWrite("SOFTWARE/VellumorTest", "DLL_FONT", dir.path()));
    testpdf::WriteFile(dir / "xml2rtffont.map",
                       "Futura=Arial\n"
                       "Frutiger= Liberation Sans \r\n"
                       "Futura=Narrow\n"
                       " Optima=Arial\n"
                       "Futura-Bold=Arial Black\n"
                       "optima=Arial\n"
                       "Empty=   \n");
    EXPECT_EQ(Map("Futura"), "ArialNarrow");
    EXPECT_EQ(Map("Frutiger"), "Liberation Sans");
    EXPECT_EQ(Map("Futura-Bold"), "Arial Black");
    EXPECT_EQ(Map("Optima"), "<none:>");  // the line begins with a blank; the other is lower case
    EXPECT_EQ(Map("Empty"), "<none:>");
    EXPECT_EQ(Map("Garamond"), "<none:>");
}

TEST_F(MappingFileTest, NoFolderOrNoFileMeansNoMapping) {
    EXPECT_EQ(Map("Futura"), "<none:>");  // no settings at all
    ASSERT_TRUE(platform::RegistryWrite("SOFTWARE/VellumorTest", "DLL_FONT", dir / "nowhere"));
    EXPECT_EQ(Map("Futura"), "<none:>");  // the folder has no mapping file
    // The value under another key, or at the top level, is not this key's.
    ASSERT_TRUE(platform::RegistryWrite("", "DLL_FONT", dir.path()));
    testpdf::WriteFile(dir / "xml2rtffont.map", "Futura=Arial\n");
    EXPECT_EQ(Map("Futura"), "<none:>");
    SetFontMapKey({});
    EXPECT_EQ(Map("Futura"), "Arial");
}

TEST_F(MappingFileTest, FolderIsLookedUpUntilFoundThenKept) {
    testpdf::WriteFile(dir / "xml2rtffont.map", "Futura=Arial\n");
    EXPECT_EQ(Map("Futura"), "<none:>");
    // Configured while the program runs: the next lookup sees it.
    ASSERT_TRUE(platform::RegistryWrite("SOFTWARE/VellumorTest", "DLL_FONT", dir.path()));
    EXPECT_EQ(Map("Futura"), "Arial");
    // Once found the folder is kept; the file itself is read afresh each time.
    ASSERT_TRUE(platform::RegistryWrite("SOFTWARE/VellumorTest", "DLL_FONT", dir / "elsewhere"));
    testpdf::WriteFile(dir / "xml2rtffont.map", "Futura=Helvetica\n");
    EXPECT_EQ(Map("Futura"), "Helvetica");
    // A new key (a new job) looks the folder up again.
    SetFontMapKey("SOFTWARE/VellumorTest");
    EXPECT_EQ(Map("Futura"), "<none:>");
}

}  // namespace
