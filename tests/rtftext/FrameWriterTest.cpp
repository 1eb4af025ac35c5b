#include <gtest/gtest.h>

#include <regex>

#include "platform/FontCatalog.h"
#include "rtf/CRtfPage.h"
#include "support/RtfTestItems.h"
#include "rtftext/FrameWriter.h"

using rtftest::ItemSet;

namespace {

size_t Count(const std::string& s, const std::string& what) {
    size_t n = 0;
    for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + 1)) ++n;
    return n;
}

// The numbers of every "\expndtw" in the text.
std::vector<long> Spacings(const std::string& rtf) {
    std::vector<long> out;
    static const std::regex word("\\\\expndtw(-?[0-9]+)");
    for (auto i = std::sregex_iterator(rtf.begin(), rtf.end(), word); i != std::sregex_iterator(); ++i)
        out.push_back(std::stol((*i)[1]));
    return out;
}

long Edge(const std::string& rtf, const std::string& name) {
    size_t p = rtf.find("\\" + name);
    return p == std::string::npos ? -1 : std::stol(rtf.substr(p + name.size() + 1));
}

// The items of these tests stand on no page: no other line is looked at.
const CRtfPageFlow kNoOtherLines;

}  // namespace

TEST(FrameWriter, AnItemIsATransparentTextBoxAtItsPlaceThatDoesNotWrap) {
    ItemSet set;
    CRtfXmlText* item = set.Add({100, 200, 150, 210}, {"Word"});
    std::string rtf = WriteFrame(*item, kNoOtherLines);
    // 100 units are 1333 twips (truncated); the top (200 units, 2666 twips) moves by a
    // little so that the reader's first line sits on the source's baseline.
    EXPECT_NE(rtf.find("{\\shp{\\*\\shpinst\\shpleft1333\\shptop"), std::string::npos) << rtf;
    EXPECT_NEAR(Edge(rtf, "shptop"), 2666, 12 * 20 / 2);
    EXPECT_NE(rtf.find("\\shpbxpage\\shpbypage\\shpwr3"), std::string::npos);
    for (const char* property : {"{\\sp{\\sn fFilled}{\\sv 0}}", "{\\sp{\\sn fLine}{\\sv 0}}", "{\\sp{\\sn WrapText}{\\sv 2}}"})
        EXPECT_NE(rtf.find(property), std::string::npos) << property;
    EXPECT_NE(rtf.find("{\\shptxt \\pard\\plain\\ql "), std::string::npos);
    EXPECT_NE(rtf.find("{Word}"), std::string::npos);
    EXPECT_EQ(rtf.find("\\pvpg"), std::string::npos);
    EXPECT_EQ(rtf.find("\\cbpat"), std::string::npos);
}

// Justified text: the words of a line as the extraction cut them, spread by wide
// blanks. One box holds them, in reading order, whatever order the line joined them.
TEST(FrameWriter, ALineIsOneBoxHoldingItsWordsInOrder) {
    ItemSet set;
    CRtfXmlText* head = set.Add({100, 200, 130, 215}, {"one"});
    CRtfXmlText* c = set.Add({200, 200, 240, 215}, {"three"});
    CRtfXmlText* b = set.Add({145, 200, 175, 215}, {"two"});
    CRtfXmlText* d = set.Add({255, 200, 285, 215}, {"four"});
    ItemSet::Join(head, {c, b, d});
    std::string rtf = WriteFrame(*head, kNoOtherLines);
    EXPECT_EQ(Count(rtf, "{\\shp{"), 1u) << rtf;
    size_t one = rtf.find("{one}"), two = rtf.find("{two}"), three = rtf.find("{three}"), four = rtf.find("{four}");
    ASSERT_NE(four, std::string::npos) << rtf;
    EXPECT_LT(one, two);
    EXPECT_LT(two, three);
    EXPECT_LT(three, four);
    // A blank between the words, three of them.
    EXPECT_EQ(Count(rtf, "{ }"), 3u) << rtf;
}

// Gaps of justified text end at tab stops at the source's places (relative to the box),
// so the reader sets every word where the source has it without spacing each blank.
// A gap narrower than a blank sets the blank narrower and leaves the word before whole.
TEST(FrameWriter, WideGapsEndAtTabStopsAndNarrowOnesAtNarrowerBlanks) {
    ItemSet set;
    CRtfXmlText* head = set.Add({100, 200, 130, 215}, {"one"}, 10);
    CRtfXmlText* wide = set.Add({160, 200, 190, 215}, {"two"}, 10);
    ItemSet::Join(head, {wide});
    std::string rtf = WriteFrame(*head, kNoOtherLines);
    EXPECT_NE(rtf.find("\\tx800 "), std::string::npos) << rtf;  // 60 units, 800 twips right of the box
    EXPECT_EQ(Count(rtf, "\\tab"), 1u) << rtf;

    const std::string face = set.fonts.FindEntry(head->fontIndex)->name;
    const double unitsPerEm = 15;
    const int word = platform::MeasureText(face, 512, false, false, "word", true).width;
    ASSERT_GT(word, 0);
    const int end = 300 + static_cast<int>(unitsPerEm * word / 512);
    // The written width reaches a unit past the end; about 0.2 em between the words, less
    // than a blank in any face.
    CRtfXmlText* first = set.Add({300, 300, end + 1, 315}, {"word"}, 10);
    CRtfXmlText* next = set.Add({end + 3, 300, end + 40, 315}, {"next"}, 10);
    ItemSet::Join(first, {next});
    rtf = WriteFrame(*first, kNoOtherLines);
    EXPECT_EQ(rtf.find("\\tab"), std::string::npos) << rtf;
    ASSERT_NE(rtf.find("{ }"), std::string::npos) << rtf;
    const long scale = Edge(rtf.substr(rtf.rfind("\\charscalex", rtf.find("{ }"))), "charscalex");
    EXPECT_GT(scale, 20) << rtf;
    EXPECT_LT(scale, 100) << rtf;
    EXPECT_EQ(Spacings(rtf).front(), 0) << rtf;  // "word" keeps its width
}

// A gap of several ems is a real separation (a second column, a tab stop): each side
// has a box of its own at its own place.
TEST(FrameWriter, PiecesSeveralEmsApartAreBoxesOfTheirOwn) {
    ItemSet set;
    CRtfXmlText* head = set.Add({100, 200, 200, 215}, {"Left column"}, 10);
    CRtfXmlText* right = set.Add({300, 200, 400, 215}, {"Right column"}, 10);
    ItemSet::Join(head, {right});
    std::string rtf = WriteFrame(*head, kNoOtherLines);
    EXPECT_EQ(Count(rtf, "{\\shp{"), 2u) << rtf;
    EXPECT_NE(rtf.find("\\shpleft4000\\shptop"), std::string::npos) << rtf;
}

// A piece on another baseline (an exponent) keeps its own place in a box of its own.
TEST(FrameWriter, APieceRaisedAboveTheLineHasABoxOfItsOwn) {
    ItemSet set;
    CRtfXmlText* head = set.Add({100, 200, 150, 215}, {"x"});
    CRtfXmlText* power = set.Add({151, 194, 157, 204}, {"2"}, 7);
    ItemSet::Join(head, {power});
    EXPECT_EQ(Count(WriteFrame(*head, kNoOtherLines), "{\\shp{"), 2u);
}

// The runs are spaced to the source's width: wider than their text, expanded;
// narrower, condensed, but never by more than a small share of an em.
TEST(FrameWriter, CharacterSpacingFitsTheWordsToTheSourceWidth) {
    ItemSet set;
    CRtfXmlText* wide = set.Add({100, 200, 400, 215}, {"spread"}, 10);
    std::vector<long> expanded = Spacings(WriteFrame(*wide, kNoOtherLines));
    ASSERT_FALSE(expanded.empty());
    EXPECT_GT(expanded.front(), 0);
    CRtfXmlText* narrow = set.Add({100, 300, 110, 315}, {"squeezed words"}, 10);
    std::vector<long> condensed = Spacings(WriteFrame(*narrow, kNoOtherLines));
    ASSERT_FALSE(condensed.empty());
    EXPECT_LT(condensed.front(), 0);
    EXPECT_GE(condensed.front(), -0.05 * 10 * 20);
}

// Where the face the reader will use runs wider than the source's box, the words are set
// narrower, down to a bound; the box is never narrower than the words as they are set.
TEST(FrameWriter, ABoxIsNeverNarrowerThanItsTextInTheFaceUsed) {
    ItemSet set;
    const std::string title = "A bold title set much wider than drawn";
    CRtfXmlText* item = set.Add({100, 200, 120, 230}, {title}, 24, 1);
    std::string rtf = WriteFrame(*item, kNoOtherLines);
    long width = Edge(rtf, "shpright") - Edge(rtf, "shpleft");
    long scale = Edge(rtf, "charscalex");
    EXPECT_GE(scale, 60);
    EXPECT_LT(scale, 100);
    // The words at 24 points in the bold face, scaled, each character condensed by at most 0.05 em.
    const std::string face = set.fonts.FindEntry(item->fontIndex)->name;
    platform::TextExtent natural = platform::MeasureText(face, 480, true, false, title);
    ASSERT_GT(natural.width, 0);
    const double set_ = natural.width * scale / 100.0 - 0.05 * 480 * static_cast<double>(title.size());
    EXPECT_GE(width, static_cast<long>(set_)) << rtf;
}

TEST(FrameWriter, ALinkStaysInsideItsBox) {
    ItemSet set;
    CRtfXmlText* item = set.Add({100, 200, 150, 210}, {"<#dsAnchor#http://example.org/~dsAnchor#>site</~dsAnchor#>"});
    std::string rtf = WriteFrame(*item, kNoOtherLines);
    size_t field = rtf.find("HYPERLINK \"http://example.org/\"");
    ASSERT_NE(field, std::string::npos) << rtf;
    EXPECT_LT(rtf.find("{\\shptxt"), field);
    EXPECT_LT(field, rtf.rfind("\\par}"));
}

TEST(FrameWriter, PiecesLeftOfOrAboveThePageAreBoxedAtItsEdge) {
    ItemSet set;
    CRtfXmlText* item = set.Add({-30, -12, 20, 0}, {"edge"});
    std::string rtf = WriteFrame(*item, kNoOtherLines);
    EXPECT_NE(rtf.find("\\shpleft0\\shptop0\\shpright"), std::string::npos) << rtf;
}
