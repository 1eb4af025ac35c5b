#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "support/PdfWriter.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// Installs into a temporary prefix, moves the installation elsewhere and runs it
// from a third folder: it must find everything it needs from its own location.
TEST(Install, InstalledProgramsRunFromTheirOwnPlaceWithTheirData) {
    testpdf::TempDir dir;
    auto r = testpdf::RunProgram({VELLUMOR_CMAKE_COMMAND, "--install", VELLUMOR_BUILD_DIR, "--prefix", dir / "prefix"});
    ASSERT_EQ(r.status, 0) << r.output << r.errors;
    fs::rename(dir / "prefix", dir / "moved");
    const std::string root = dir / "moved";

    std::set<std::string> programs;
    for (const auto& e : fs::directory_iterator(root + "/bin")) programs.insert(e.path().filename().string());
    EXPECT_EQ(programs, (std::set<std::string>{"vellumor", "vellumor-convert"}));  // no test or benchmark program
    for (const char* file : {"share/vellumor/help/index.html", "share/man/man1/vellumor-convert.1",
                             "share/applications/vellumor.desktop", "share/icons/hicolor/scalable/apps/vellumor.svg"})
        EXPECT_TRUE(fs::exists(root + "/" + file)) << file;
    std::string desktop = testpdf::ReadFile(root + "/share/applications/vellumor.desktop");
    EXPECT_NE(desktop.find("\nExec=vellumor %F\n"), std::string::npos);  // the files it is opened with
    EXPECT_NE(desktop.find("MimeType=application/pdf;"), std::string::npos);

    fs::create_directory(dir / "elsewhere");
    testpdf::NumberedPages(2).Save(dir / "elsewhere/doc.pdf");
    r = testpdf::RunProgram({root + "/bin/vellumor-convert", "-q", "-o", "out", "doc.pdf"}, dir / "elsewhere");
    EXPECT_EQ(r.status, 0) << r.errors;
    EXPECT_TRUE(fs::exists(dir / "elsewhere/out/doc.rtf"));
}

}  // namespace
