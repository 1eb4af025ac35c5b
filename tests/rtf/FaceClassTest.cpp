// A font that is not installed gets a substitute of its own kind in the RTF's
// font table: sans for sans, condensed for condensed, monospace for monospace.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "convert/CConvertPara.h"
#include "support/ConvertInDir.h"
#include "support/PdfWriter.h"
#include "support/TempDir.h"

using testpdf::TempDir;

namespace {

struct Substitute {
    std::string face;
    std::string familyWord;  // "\fswiss", "\froman", "\fmodern"
};

// A font of the given PostScript name and descriptor flags, with the TrueType program of a Debian font embedded
// when `program` is given.
std::string TestFont(testpdf::PdfWriter& pdf, const std::string& name, int flags, const std::string& program = {}) {
    std::string font = testpdf::MetricFont(name);
    std::string descriptorEntries = "/Flags " + std::to_string(flags);
    if (!program.empty()) {
        const std::string data = testpdf::ReadFile(program);
        const int stream = pdf.AddStream("/Length1 " + std::to_string(data.size()), data);
        descriptorEntries += " /FontFile2 " + std::to_string(stream) + " 0 R";
        font.replace(font.find("/Type1"), 6, "/TrueType");
    }
    return font.replace(font.find("/Flags 32"), 9, descriptorEntries);
}

// The face and family word of the font table entry that the text "Sample" is set in; pdf holds the objects the
// font refers to.
Substitute SubstituteFor(const std::string& fontDictionary, testpdf::PdfWriter pdf = {}) {
    TempDir dir;
    pdf.SetFont("F9", fontDictionary);
    pdf.AddPage(testpdf::TextLine("Sample words", 72, 700, 12, "F9"));
    pdf.Save(dir / "doc.pdf");
    const std::string rtf = testpdf::ConvertInDir(dir, "doc", ModeFormattedText);
    std::smatch used, entry;
    if (!std::regex_search(rtf, used, std::regex(R"(\\f(\d+)[^}]*Sample)"))) return {};
    if (!std::regex_search(rtf, entry, std::regex("\\{\\\\f" + used[1].str() + R"((\\f[a-z]+)? ([^;]*);\})")))
        return {};
    return {entry[2], entry[1]};
}

std::string Installed(const std::string& path) { return std::filesystem::exists(path) ? path : std::string(); }

const std::string kDejaVu = "/usr/share/fonts/truetype/dejavu/";

}  // namespace

TEST(FaceClass, EmbeddedProgramsUnderMeaninglessNamesKeepTheirKind) {
    const std::string sans = Installed(kDejaVu + "DejaVuSans.ttf"), mono = Installed(kDejaVu + "DejaVuSansMono.ttf"),
                      narrow = Installed(kDejaVu + "DejaVuSansCondensed.ttf"),
                      serif = Installed(kDejaVu + "DejaVuSerif.ttf");
    if (sans.empty() || mono.empty() || narrow.empty() || serif.empty()) GTEST_SKIP() << "fonts-dejavu-core missing";
    // Symbolic flags say nothing; only the programs' own tables tell the kind.
    auto embedded = [](const std::string& name, const std::string& program) {
        testpdf::PdfWriter pdf;
        const std::string font = TestFont(pdf, name, 4, program);
        return SubstituteFor(font, pdf);
    };
    EXPECT_EQ(embedded("ABCDEF+F1a", sans).familyWord, "\\fswiss");
    EXPECT_EQ(embedded("ABCDEF+F2a", mono).familyWord, "\\fmodern");
    EXPECT_EQ(embedded("ABCDEF+F4a", serif).familyWord, "\\froman");
    const Substitute condensed = embedded("ABCDEF+F3a", narrow);
    EXPECT_EQ(condensed.familyWord, "\\fswiss");
    EXPECT_TRUE(std::regex_search(condensed.face, std::regex("Narrow|Condensed"))) << condensed.face;
}

TEST(FaceClass, AnEmbeddedFontWhoseFamilyIsInstalledKeepsIt) {
    const std::string sans = Installed(kDejaVu + "DejaVuSans.ttf");
    if (sans.empty()) GTEST_SKIP() << "fonts-dejavu-core missing";
    testpdf::PdfWriter pdf;
    const std::string font = TestFont(pdf, "ABCDEF+DejaVuSans-Bold", 32, sans);
    EXPECT_EQ(SubstituteFor(font, pdf).face, "DejaVu Sans");
}

TEST(FaceClass, NamesOfUninstalledFacesChooseASubstituteOfTheirKind) {
    testpdf::PdfWriter pdf;
    const Substitute gill = SubstituteFor(TestFont(pdf, "GillSansMT", 32));
    EXPECT_EQ(gill.familyWord, "\\fswiss") << gill.face;
    const Substitute franklin = SubstituteFor(testpdf::MetricFont("FranklinGothic-DemiCond"));
    EXPECT_EQ(franklin.familyWord, "\\fswiss") << franklin.face;
    EXPECT_TRUE(std::regex_search(franklin.face, std::regex("Narrow|Condensed"))) << franklin.face;
    EXPECT_EQ(SubstituteFor(testpdf::MetricFont("LetterGothic-Bold")).familyWord, "\\fmodern");
    EXPECT_TRUE(std::regex_search(SubstituteFor(testpdf::MetricFont("Helvetica-Condensed")).face,
                                  std::regex("Narrow|Condensed")));
    // Known names of the substitution table stay as they were.
    EXPECT_EQ(SubstituteFor(testpdf::StandardFont("Times-Roman")).face, "Times New Roman");
    EXPECT_EQ(SubstituteFor(testpdf::StandardFont("Courier")).face, "Courier New");
}

TEST(FaceClass, AnUnknownNameFollowsItsDescriptor) {
    testpdf::PdfWriter pdf;
    EXPECT_EQ(SubstituteFor(TestFont(pdf, "Qwertz-Regular", 32)).familyWord, "\\fswiss");
    EXPECT_EQ(SubstituteFor(TestFont(pdf, "Qwertz-Regular", 33)).familyWord, "\\fmodern");
    EXPECT_EQ(SubstituteFor(TestFont(pdf, "Qwertz-Regular", 34)).familyWord, "\\froman");
    // A font that tells nothing gets no face attribute and reads as before: the serif default.
    EXPECT_EQ(SubstituteFor(TestFont(pdf, "Qwertz-Regular", 4)).face, "Times New Roman");
}
