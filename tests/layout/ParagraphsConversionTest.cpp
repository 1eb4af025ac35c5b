#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "support/ConvertInDir.h"
#include "support/PdfWriter.h"
#include "support/RtfText.h"
#include "support/TempDir.h"

using testpdf::RtfParagraphs;
using testpdf::TempDir;

namespace {

// Every character of the test face is half an em wide: at 10 points, 5 points.
constexpr double kSize = 10, kCharWidth = 5, kPitch = 12;

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

// The words set line by line as a typesetter does: as many as fit the measure.
std::vector<std::string> Lines(const std::string& text, size_t measureChars) {
    std::vector<std::string> lines;
    for (const std::string& word : Words(text)) {
        if (!lines.empty() && lines.back().size() + 1 + word.size() <= measureChars) lines.back() += " " + word;
        else lines.push_back(word);
    }
    return lines;
}

// A line of the test face; justified to the width by its word spacing.
std::string Line(const std::string& text, double x, double y, double justifiedTo = 0, const std::string& font = "M") {
    std::ostringstream s;
    s << "BT /" << font << " " << kSize << " Tf ";
    const auto blanks = static_cast<double>(std::count(text.begin(), text.end(), ' '));
    if (justifiedTo > 0 && blanks > 0) s << (justifiedTo - kCharWidth * static_cast<double>(text.size())) / blanks << " Tw ";
    s << x << " " << y << " Td " << testpdf::PdfString(text) << " Tj ET\n";
    return s.str();
}

std::string Convert(const TempDir& dir, const std::string& content, bool keepLines = false) {
    testpdf::PdfWriter pdf;
    pdf.SetFont("M", testpdf::MetricFont("TestSerif"));
    pdf.AddPage(content);
    pdf.Save(dir / "text.pdf");
    return testpdf::ConvertInDir(dir, "text", 0, keepLines);
}

const std::string kReport =
    "Running text of a report is set in lines that all reach the right edge of the measure, with the spaces "
    "between the words stretched a little or squeezed a little, so that the block of text looks like a neat "
    "rectangle on the page. A converter that wants the text to stay editable joins such lines again into the "
    "paragraph they came from, so that a word typed into the first line moves the rest along.";

}  // namespace

TEST(ParagraphsConversion, AJustifiedParagraphIsOneParagraphWithItsSplitWordWhole) {
    TempDir dir;
    std::vector<std::string> lines = Lines(kReport, 70);
    ASSERT_GE(lines.size(), 5u);
    lines[2] += " hyph-";
    lines[3] = "enated " + lines[3];
    std::string content;
    for (size_t i = 0; i < lines.size(); ++i)
        content += Line(lines[i], 72, 700 - kPitch * static_cast<double>(i), i + 1 < lines.size() ? 400 : 0);
    const std::string rtf = Convert(dir, content);
    const std::vector<std::string> paragraphs = RtfParagraphs(rtf);
    ASSERT_EQ(paragraphs.size(), 1u) << rtf;
    EXPECT_NE(paragraphs[0].find(" hyphenated "), std::string::npos) << paragraphs[0];
    EXPECT_NE(rtf.find("hyph\\-"), std::string::npos);
    EXPECT_NE(rtf.find("\\qj"), std::string::npos);
    // The source's pitch as the least line spacing: 12 points are 240 twips.
    EXPECT_NE(rtf.find("\\sl240\\slmult0"), std::string::npos) << rtf;
    // Kept lines: every line a paragraph at its place, the hyphen where the source has it.
    const std::string kept = Convert(dir, content, true);
    EXPECT_EQ(RtfParagraphs(kept).size(), lines.size());
    EXPECT_EQ(kept.find("\\-"), std::string::npos);
    EXPECT_EQ(kept.find("\\qj"), std::string::npos);
}

TEST(ParagraphsConversion, FirstLineIndentListItemsAndHeadingsKeepTheirParagraphs) {
    TempDir dir;
    std::string content = Line("A Heading Over The Text", 72, 740, 0, "F4");
    double y = 720;
    // Ragged lines of 70 characters at most, the first indented by four of them.
    std::vector<std::string> lines = Lines(kReport, 66);
    const std::string firstLine = lines.front();
    lines = Lines(kReport.substr(firstLine.size() + 1), 70);
    lines.insert(lines.begin(), firstLine);
    for (size_t i = 0; i < lines.size(); ++i, y -= kPitch) content += Line(lines[i], i == 0 ? 92 : 72, y);
    y -= kPitch;
    for (const char* item : {"First item of the list, long enough to run over onto a second line of the page.",
                             "Second item, which runs over onto a second line just as the first item of it does.",
                             "Third item of the list, the last one, again set over two lines of the page text."}) {
        const std::vector<std::string> itemLines = Lines(item, 69);
        content += testpdf::TextLine("\x95", 72, y, kSize, "F1");
        for (const std::string& line : itemLines) {
            content += Line(line, 84, y);
            y -= kPitch;
        }
    }
    const std::string rtf = Convert(dir, content);
    const std::vector<std::string> paragraphs = RtfParagraphs(rtf);
    ASSERT_EQ(paragraphs.size(), 5u) << rtf;
    EXPECT_EQ(paragraphs[0], "A Heading Over The Text");
    EXPECT_EQ(paragraphs[1].rfind("Running text", 0), 0u);
    EXPECT_NE(paragraphs[1].find("moves the rest along."), std::string::npos);
    EXPECT_NE(paragraphs[4].find("again set over two lines"), std::string::npos);
    // The first line indented by 20 points (400 twips); the list items hang.
    EXPECT_NE(rtf.find("\\fi400"), std::string::npos) << rtf;
    EXPECT_EQ(rtf.find("\\qj"), std::string::npos) << "ragged lines stay ragged: " << rtf;
}

TEST(ParagraphsConversion, ExtraSpaceAColumnBreakAndACompoundEndTheirLinesAsTheSourceDoes) {
    TempDir dir;
    std::string content;
    double y = 740;
    const std::vector<std::string> lines = Lines(kReport, 46);
    for (size_t i = 0; i < 6; ++i, y -= kPitch) content += Line(lines[i], 72, y);
    y -= kPitch;  // the space of a blank line: another paragraph follows
    content += Line("The second paragraph shows a well-", 72, y);
    y -= kPitch;
    for (size_t i = 1; i < lines.size(); ++i, y -= kPitch) content += Line(lines[i], 72, y);
    // The right column goes on with the same paragraph.
    for (size_t i = 0; i < 6; ++i) content += Line(lines[i], 330, 740 - kPitch * static_cast<double>(i));
    const std::string rtf = Convert(dir, content);
    const std::vector<std::string> paragraphs = RtfParagraphs(rtf);
    ASSERT_EQ(paragraphs.size(), 3u) << rtf;
    // The compound keeps its hyphen and stays one word.
    EXPECT_NE(paragraphs[1].find("a well-" + lines[1].substr(0, lines[1].find(' ')) + " "), std::string::npos)
        << paragraphs[1];
    // Split at the column break; the second paragraph's space above it kept.
    EXPECT_NE(rtf.find("\\column"), std::string::npos);
    std::smatch before;
    ASSERT_TRUE(std::regex_search(rtf, before, std::regex(R"(\\sb([0-9]+)\\sl240[^{]*\{The)")));
    EXPECT_GE(std::stoi(before[1]), 200);
}
