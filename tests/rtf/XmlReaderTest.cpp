#include <gtest/gtest.h>

#include "rtf/CRtfXmlParse.h"
#include "support/RtfTestXml.h"
#include "rtf/TextRun.h"

using namespace rtftest;
using testpdf::TempDir;

namespace {

std::string Runs(const CRtfXmlText& item) { return RunText(item.runs); }

// Every item the page holds, in the order the lines and their segments list them.
std::vector<CRtfXmlText*> LineHeads(RtfEngine& engine) {
    if (!engine.Layout()) return {};
    return engine.Layout()->flow.lines;
}

// The line of page 1 of the XML when the page reads as one line; none otherwise.
CRtfXmlText* OnlyLineOfFirstPage(const TempDir& dir, const std::string& xml, std::unique_ptr<RtfEngine>& doc) {
    doc = Load(dir, xml);
    if (!doc) return nullptr;
    doc->ReadPage(1);
    auto heads = LineHeads(*doc);
    return heads.size() == 1 ? heads[0] : nullptr;
}

}  // namespace

TEST(XmlReaderValues, TokensAreCutAtBlanksAndNumbersReadLikeAtol) {
    EXPECT_EQ(CRtfXmlParse::FindAttribute("mleft=\"0036\""), XmlAttribute::MarginLeft);
    EXPECT_EQ(CRtfXmlParse::FindAttribute("left=\"12\""), XmlAttribute::Left);
    EXPECT_EQ(CRtfXmlParse::FindAttribute("Angle=\"0\">"), XmlAttribute::Angle);
    EXPECT_EQ(CRtfXmlParse::FindAttribute("cSpace=\"+000.00\""), XmlAttribute::CharSpace);
    EXPECT_EQ(CRtfXmlParse::FindAttribute("toc=\"0\""), XmlAttribute::Toc);
    EXPECT_EQ(CRtfXmlParse::FindAttribute("Left=\"1\""), XmlAttribute::None);
    EXPECT_EQ(CRtfXmlParse::FindAttribute(""), XmlAttribute::None);
    EXPECT_EQ(CRtfXmlParse::AttributeValue("family=\"Times"), "Times");
    EXPECT_EQ(CRtfXmlParse::AttributeValue("color=\"#1f1f1f\">"), "#1f1f1f");
    EXPECT_EQ(CRtfXmlParse::ValueNumber("+001.50"), 1);
    EXPECT_EQ(CRtfXmlParse::ValueNumber("-003.75"), -3);
    EXPECT_EQ(CRtfXmlParse::ValueNumber("-000.75"), 0);
    EXPECT_EQ(CRtfXmlParse::ValueNumber("abc"), 0);
    EXPECT_EQ(CRtfXmlParse::ValueNumber("4294967293"), 2147483647);
}

TEST(XmlReaderValues, EntitiesDecodeInSequenceAndBracesAreEscaped) {
    EXPECT_EQ(CRtfXmlParse::DecodeText("x&lt;y&amp;&quot;z&quot;"), "x<y&\"z\"");
    EXPECT_EQ(CRtfXmlParse::DecodeText("&amp;lt;"), "<");
    EXPECT_EQ(CRtfXmlParse::DecodeText("{a}"), "\\{a\\}");
    EXPECT_EQ(CRtfXmlParse::DecodeText("a\\b\\uc1\\u8226X"), "a\\b\\uc1\\u8226X");
}

TEST(XmlReader, HeaderInfoFontsAndRunAttributes) {
    TempDir dir;
    std::string xml = Root(R"(author="Jane Doe" keywords="tax forms" date="2004-03-09T14:05:00+00:00" subject="S")") +
                      PageLine(1) + FontSpec(0, 12, "Times New Roman", "#ff0000") + Margin() +
                      "<text top=\"100\" left=\"50\" width=\"40\" height=\"15\" font=\"0\" direction=\"1\" toc=\"0\" "
                      "Angle=\"0\">\n" +
                      DataTag(1, "+001.50", "-003.75") + "A{b}\n" + DataTag(2) + "\n</text>\n</page>\n" + kEnd;
    auto doc = Load(dir, xml);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->Document().info.author, "Jane");
    EXPECT_EQ(doc->Document().info.keywords, "tax");
    EXPECT_EQ(doc->Document().info.date, "2004-03-09T14:05:00+00:00");
    EXPECT_EQ(doc->Document().info.subject, "S");
    EXPECT_EQ(doc->Document().xmlFileName, "doc.xml");
    ASSERT_EQ(doc->Document().fonts.specs.size(), 1u);
    XmlFontSpec* font = doc->Document().fonts.FindSpec(0);
    ASSERT_TRUE(font && font->colour);
    EXPECT_EQ(font->colour->index, 1);
    EXPECT_EQ(font->size, 12);

    ASSERT_TRUE(doc->ReadPage(1));
    auto heads = LineHeads(*doc);
    ASSERT_EQ(heads.size(), 1u);
    CRtfXmlText* item = heads[0];
    EXPECT_EQ(item->box.left, 50);
    EXPECT_EQ(item->box.top, 100);
    EXPECT_EQ(item->colorIndex, 1);
    EXPECT_EQ(item->page, doc->Page());
    ASSERT_EQ(item->runs.size(), 2u);
    TextRun* first = item->runs.front().get();
    EXPECT_EQ(first->text, "A\\{b\\}");
    EXPECT_EQ(first->charSpace, 1);
    EXPECT_FLOAT_EQ(first->rise, -3.0f);
    EXPECT_FLOAT_EQ(first->leading, 12.0f);
    EXPECT_EQ(first->style, 1);
    EXPECT_EQ(first->hScale, 100);
    EXPECT_EQ(first->colorIndex, 1);
    EXPECT_EQ(first->owner, item);
    // An empty data line counts as one blank.
    EXPECT_EQ(item->runs.back()->text, " ");
}

TEST(XmlReader, AnAttributeCountsOnlyOnTheElementItBelongsTo) {
    TempDir dir;
    // Spacing on the text line and an angle on the data line, as no extraction writes them.
    std::string xml = Root() + PageLine(1) + FontSpec(0, 10, "Times") +
                      "<text top=\"100\" left=\"50\" width=\"40\" height=\"15\" font=\"0\" direction=\"1\" toc=\"0\" "
                      "cSpace=\"+007.00\">\n"
                      "<data cSpace=\"+002.00\" wSpace=\"+0000.00\" hScal=\"100\" style=\"0\" Angle=\"9\">word\n"
                      "</text>\n</page>\n</pdf2xml>\n";
    std::unique_ptr<RtfEngine> doc;
    CRtfXmlText* line = OnlyLineOfFirstPage(dir, xml, doc);
    ASSERT_TRUE(line && line->runs.size() == 1);
    EXPECT_EQ(line->angle, 0);
    EXPECT_EQ(line->runs.front()->charSpace, 2);
}

TEST(XmlReader, PageGeometryMarginsAndRotationAreCapped) {
    TempDir dir;
    std::string xml = Root() + PageLine(1) + FontSpec(0, 10, "Times") +
                      Margin("0012", "0120", "-5", "4294967293") + "</page>\n" + PageLine(2, 3000, 3000, 45) +
                      "</page>\n" + PageLine(3, 1188, 918, 270) + "</page>\n" + kEnd;
    auto doc = Load(dir, xml);
    ASSERT_TRUE(doc);
    doc->ReadPage(1);
    CRtfPage& p1 = *doc->Page();
    EXPECT_EQ(p1.rect, (RtfRect{108, 108, 1026, 1296}));
    EXPECT_EQ(p1.margins.left, 12);
    EXPECT_EQ(p1.margins.top, 50);
    EXPECT_EQ(p1.margins.bottom, 50);
    EXPECT_EQ(p1.margins.right, 50);
    doc->WritePage({.first = true});
    doc->ReadPage(2);
    EXPECT_EQ(doc->Page()->rect.right, 2375);
    EXPECT_EQ(doc->Page()->rect.bottom, 2375);
    EXPECT_EQ(doc->Page()->rotation, 0);
    doc->WritePage({});
    doc->ReadPage(3);
    EXPECT_EQ(doc->Page()->rotation, 270);
}

TEST(XmlReader, PagesAreFoundInOrderAndSkippedPagesDoNotHideLaterOnes) {
    TempDir dir;
    std::string xml = Root() + PageLine(1) + FontSpec(0, 10, "Times") + Text(100, 50, 40, 15, 0, "one") +
                      "</page>\n" + PageLine(2) + Text(100, 50, 40, 15, 0, "two") + "</page>\n" + PageLine(3) +
                      Text(100, 50, 40, 15, 0, "three") + "</page>\n" + PageLine(5) +
                      Text(100, 50, 40, 15, 0, "five") + "</page>\n" + kEnd;
    auto doc = Load(dir, xml);
    ASSERT_TRUE(doc);
    // Page 1 is not selected: asking for page 2 still reads page 2.
    doc->ReadPage(2);
    ASSERT_EQ(LineHeads(*doc).size(), 1u);
    EXPECT_EQ(Runs(*LineHeads(*doc)[0]), "two");
    doc->WritePage({.first = true});
    // Page 4 is missing: nothing is read and page 5 stays for its own request.
    doc->ReadPage(4);
    EXPECT_TRUE(LineHeads(*doc).empty());
    doc->WritePage({});
    doc->ReadPage(5);
    ASSERT_EQ(LineHeads(*doc).size(), 1u);
    EXPECT_EQ(Runs(*LineHeads(*doc)[0]), "five");
    doc->WritePage({});
    // A page asked for after a later one was read is not found again.
    doc->ReadPage(1);
    EXPECT_TRUE(LineHeads(*doc).empty());
}

TEST(XmlReader, TextBeforeAPageAndItemsWithoutTextAreDropped) {
    TempDir dir;
    std::string xml = Root() + Text(10, 10, 40, 15, 0, "stray") + PageLine(1) + FontSpec(0, 10, "Times") +
                      Text(100, 50, 40, 15, 0, "") + Text(200, 50, 40, 15, 0, "   ") +
                      "<text top=\"300\" left=\"50\" width=\"40\" height=\"15\" font=\"0\" direction=\"1\">\n</text>\n" +
                      Text(400, 50, 40, 15, 0, "kept") + "</page>\n" + kEnd;
    auto doc = Load(dir, xml);
    ASSERT_TRUE(doc);
    doc->ReadPage(1);
    auto heads = LineHeads(*doc);
    ASSERT_EQ(heads.size(), 1u);
    EXPECT_EQ(Runs(*heads[0]), "kept");
    EXPECT_EQ(doc->Page()->items.size(), 1u);
}

TEST(XmlReader, UnknownFontIdGivesDefaults) {
    TempDir dir;
    std::string xml = Root() + PageLine(1) + FontSpec(0, 14, "Times", "#00ff00") + Text(100, 50, 40, 15, 9, "x") +
                      "</page>\n" + kEnd;
    std::unique_ptr<RtfEngine> doc;
    CRtfXmlText* line = OnlyLineOfFirstPage(dir, xml, doc);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->fontIndex, 0);
    EXPECT_EQ(line->colorIndex, 0);
    EXPECT_EQ(line->colours, nullptr);
    EXPECT_EQ(line->fonts, &doc->Document().fonts);
}

TEST(XmlReader, FilesThatCannotBeReadGiveNoDocument) {
    TempDir dir;
    EXPECT_FALSE(RtfEngine::Create("", dir / "out.rtf"));
    EXPECT_FALSE(RtfEngine::Create(dir / "missing.xml", dir / "out.rtf"));
    // Without the closing root line the file is incomplete.
    EXPECT_FALSE(Load(dir, Root() + PageLine(1) + FontSpec(0, 10, "Times") + "</page>\n"));
    // Windows line ends read the same.
    auto doc = Load(dir, "<pdf2xml author=\"A\" keywords=\"\" date=\"\" subject=\"\">\r\n</pdf2xml>\r\n");
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->Document().info.author, "A");
}
