#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/Registry.h"
#include "support/TempDir.h"

namespace {

using platform::RegistryRead;
using platform::RegistryWrite;

// Every test works on its own store file and leaves the default behind.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { platform::SetRegistryPath(dir / "registry.ini"); }
    void TearDown() override { platform::SetRegistryPath({}); }
    std::string Read(const std::string& key, const std::string& name) {
        std::string v = "unchanged";
        return RegistryRead(key, name, v) ? v : "<missing>";
    }
    testpdf::TempDir dir;
};

TEST_F(RegistryTest, WritesAndReadsValuesUnderKeyPaths) {
    EXPECT_EQ(Read("SOFTWARE/Quillet", "DestDir"), "<missing>");  // no file yet
    ASSERT_TRUE(RegistryWrite("SOFTWARE/Quillet", "DestDir", "/home/me/out"));
    ASSERT_TRUE(RegistryWrite("SOFTWARE/Quillet", "Layout", "FLOWING TEXT"));
    ASSERT_TRUE(RegistryWrite("", "DLL_FONT", "/opt/fonts"));
    ASSERT_TRUE(RegistryWrite("SOFTWARE/Other", "DestDir", "elsewhere"));

    EXPECT_EQ(Read("SOFTWARE/Quillet", "DestDir"), "/home/me/out");
    EXPECT_EQ(Read("SOFTWARE/Quillet", "Layout"), "FLOWING TEXT");
    EXPECT_EQ(Read("", "DLL_FONT"), "/opt/fonts");
    EXPECT_EQ(Read("SOFTWARE/Other", "DestDir"), "elsewhere");
    EXPECT_EQ(Read("SOFTWARE/Quillet", "DLL_FONT"), "<missing>");  // top-level values stay top level
    EXPECT_EQ(Read("", "DestDir"), "<missing>");

    // Names compare like the registry's, and Windows-style separators name the same key.
    EXPECT_EQ(Read("software\\quillet", "destdir"), "/home/me/out");
    EXPECT_EQ(Read("/SOFTWARE//Quillet/", "DestDir"), "/home/me/out");
}

TEST_F(RegistryTest, RewritingKeepsEverythingElse) {
    testpdf::WriteFile(dir / "registry.ini",
                       "; settings of this machine\n"
                       "DLL_FONT=/top\n"
                       "\n"
                       "[SOFTWARE/Quillet]\n"
                       "DestDir = /a\n"
                       "# a comment inside\n"
                       "Language=English\n"
                       "\n"
                       "[Unrelated]\n"
                       "x=1\n");
    ASSERT_TRUE(RegistryWrite("SOFTWARE/Quillet", "DESTDIR", " /b "));
    ASSERT_TRUE(RegistryWrite("SOFTWARE/Quillet", "AllPages", "Yes"));
    ASSERT_TRUE(RegistryWrite("", "Extra", "e"));
    EXPECT_EQ(Read("SOFTWARE/Quillet", "DestDir"), " /b ");  // values are kept exactly
    EXPECT_EQ(Read("SOFTWARE/Quillet", "AllPages"), "Yes");
    EXPECT_EQ(Read("SOFTWARE/Quillet", "Language"), "English");
    EXPECT_EQ(Read("Unrelated", "x"), "1");
    EXPECT_EQ(Read("", "DLL_FONT"), "/top");
    EXPECT_EQ(Read("", "Extra"), "e");
    std::string text = testpdf::ReadFile(dir / "registry.ini");
    EXPECT_NE(text.find("; settings of this machine\n"), std::string::npos);
    EXPECT_NE(text.find("# a comment inside\n"), std::string::npos);
    EXPECT_EQ(text.find("/a"), std::string::npos);
    // The AllPages line joins its own section, not the one after it.
    EXPECT_LT(text.find("AllPages=Yes"), text.find("[Unrelated]"));
    // The temp file of the atomic write does not stay behind.
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) files += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1);
}

TEST_F(RegistryTest, RefusesWhatCannotBeStoredOrWritten) {
    EXPECT_FALSE(RegistryWrite("K", "Name", "two\nlines"));
    EXPECT_FALSE(RegistryWrite("K", "a=b", "v"));
    EXPECT_FALSE(RegistryWrite("K", "", "v"));
    EXPECT_FALSE(RegistryWrite("K[1]", "Name", "v"));
    EXPECT_EQ(Read("K", "Name"), "<missing>");

    // The store's folder cannot be created: a plain file is in the way.
    testpdf::WriteFile(dir / "blocker", "");
    platform::SetRegistryPath(dir / "blocker/registry.ini");
    EXPECT_FALSE(RegistryWrite("K", "Name", "v"));
    EXPECT_EQ(Read("K", "Name"), "<missing>");
}

TEST_F(RegistryTest, CreatesTheFolderOfANewStore) {
    platform::SetRegistryPath(dir / "deep/er/registry.ini");
    ASSERT_TRUE(RegistryWrite("K", "Name", "v"));
    EXPECT_EQ(Read("K", "Name"), "v");
}

TEST_F(RegistryTest, DefaultPathComesFromTheEnvironment) {
    platform::SetRegistryPath({});
    const char* oldStore = getenv("VELLUMOR_REGISTRY");
    const char* oldXdg = getenv("XDG_CONFIG_HOME");
    std::string savedStore = oldStore ? oldStore : "", savedXdg = oldXdg ? oldXdg : "";

    setenv("VELLUMOR_REGISTRY", (dir / "env.ini").c_str(), 1);
    EXPECT_EQ(platform::RegistryPath(), dir / "env.ini");
    unsetenv("VELLUMOR_REGISTRY");
    setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
    EXPECT_EQ(platform::RegistryPath(), dir / "vellumor/registry.ini");
    platform::SetRegistryPath(dir / "override.ini");
    EXPECT_EQ(platform::RegistryPath(), dir / "override.ini");

    if (oldStore) setenv("VELLUMOR_REGISTRY", savedStore.c_str(), 1);
    if (oldXdg) setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1); else unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
