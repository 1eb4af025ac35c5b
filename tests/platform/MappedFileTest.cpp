#include "platform/MappedFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/TempDir.h"

using testpdf::TempDir;

// The passes read the PDF through the mapping: it must hold the file's bytes
// after the file is gone from its folder (the workspace is removed first), and
// refuse what cannot be mapped, so the caller opens the file instead.
TEST(MappedFile, HoldsTheBytesAndRefusesWhatCannotBeMapped) {
    TempDir dir;
    const std::string content = "%PDF-1.4\n" + std::string(100000, 'x') + "\n%%EOF\n";
    testpdf::WriteFile(dir / "a.pdf", content);
    auto file = platform::MappedFile::Open(dir / "a.pdf");
    ASSERT_TRUE(file);
    std::filesystem::remove(dir / "a.pdf");
    ASSERT_EQ(file->Size(), content.size());
    EXPECT_EQ(std::string(file->Data(), file->Size()), content);

    testpdf::WriteFile(dir / "empty.pdf", "");
    EXPECT_FALSE(platform::MappedFile::Open(dir / "empty.pdf"));
    EXPECT_FALSE(platform::MappedFile::Open(dir / "missing.pdf"));
    EXPECT_FALSE(platform::MappedFile::Open(dir.path()));
}
