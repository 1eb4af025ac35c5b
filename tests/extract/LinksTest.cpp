// Link annotations into link markers: targets of every kind and the covering rule.
#include <gtest/gtest.h>

#include "ExtractRun.h"
#include "XmlLineGrammar.h"
#include "extract/HtmlLink.h"

using namespace extracttest;
using testpdf::LinkAnnot;
using testpdf::PdfWriter;

namespace {

// A link box from x0 to x1 (points) around a line whose baseline is at y.
LinkAnnot Around(double x0, double x1, double y) {
    LinkAnnot l;
    l.x0 = x0;
    l.x1 = x1;
    l.y0 = y - 5;
    l.y1 = y + 15;
    return l;
}

std::string Linked(const std::string& target, const std::string& text) {
    return std::string(kLinkStart) + target + std::string(kLinkMiddle) + text + std::string(kLinkEnd);
}

}  // namespace

TEST(Links, TargetsOfEveryKind) {
    PdfWriter pdf;
    pdf.SetFont("M", testpdf::MetricFont("TestSans"));
    std::string content;
    for (auto [word, y] : {std::pair{"here", 700}, {"next", 650}, {"named", 600}, {"known", 550}, {"file", 500},
                           {"launch", 450}, {"number", 400}})
        content += Show(word, 100, y, 12, "M");
    pdf.AddPage(content);
    pdf.AddPage(Show("target", 100, 700, 12, "M"));

    LinkAnnot uri = Around(95, 200, 700);
    uri.uri = "http://example.com/a?b=1&c=2";
    LinkAnnot next = Around(95, 200, 650);
    next.destPage = 2;
    LinkAnnot named = Around(95, 200, 600);
    named.action = "<< /S /GoTo /D (nowhere) >>";
    LinkAnnot known = Around(95, 200, 550);
    known.action = "<< /S /GoTo /D (chap) >>";
    LinkAnnot file = Around(95, 200, 500);
    file.action = "<< /S /GoToR /F (other.pdf) /D [0 /Fit] >>";
    LinkAnnot launch = Around(95, 200, 450);
    launch.action = "<< /S /Launch /F (app.exe) >>";
    pdf.Pages()[0].links = {uri, next, named, known, file, launch};
    pdf.SetCatalogEntries("/Dests << /chap [" + std::to_string(pdf.PageObjectNumber(2)) + " 0 R /Fit] >>");
    std::string xml = Extract(pdf, "report");
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    EXPECT_EQ(Contents(xml),
              (std::vector<std::string>{Linked("http://example.com/a?b=1&c=2", "here"), Linked("report.xml#2", "next"),
                                        Linked("", "named"), Linked("report.xml#2", "known"),
                                        Linked("other.pdf", "file"), Linked("", "launch"), "number", "target"}));
}

TEST(Links, CoveringRule) {
    PdfWriter pdf;
    pdf.SetFont("M", testpdf::MetricFont("TestSans"));
    testpdf::Page& page = pdf.AddPage(
        Show("upper", 100, 700, 12, "M") + Show("both", 100, 650, 12, "M") +
        // "ab" runs from 60 to 78 units, "cd" joins it from 78.6.
        Show("ab", 40, 600, 12, "M") + Show("cd", 52.4, 600, 12, "M") + Show("ef", 40, 550, 12, "M") +
        Show("gh", 52.4, 550, 12, "M"));
    // The run's middle (703.6 pt) lies below a box that starts at 704.
    LinkAnnot upper = Around(95, 200, 700);
    upper.y0 = 704;
    upper.uri = "http://upper";
    LinkAnnot first = Around(95, 200, 650), second = Around(90, 210, 650);
    first.uri = "http://first";
    second.uri = "http://second";
    LinkAnnot ab = Around(38, 51, 600);
    ab.uri = "http://ab";
    LinkAnnot gh = Around(53, 70, 550);
    gh.uri = "http://gh";
    page.links = {upper, first, second, ab, gh};
    std::string xml = Extract(pdf);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    EXPECT_EQ(Contents(xml), (std::vector<std::string>{"upper", Linked("http://first", "both"),
                                                       Linked("http://ab", "ab") + "cd",
                                                       "efgh"}));
}

// A target is written unescaped between the markers: a line break would split the
// data line, and a marker text would end the region early.
TEST(Links, TargetsCannotBreakTheMarkers) {
    PdfWriter pdf;
    pdf.SetFont("M", testpdf::MetricFont("TestSans"));
    testpdf::Page& page = pdf.AddPage(Show("bad", 100, 700, 12, "M"));
    LinkAnnot bad = Around(95, 200, 700);
    bad.uri = "http://x/a\nb~dsAnchor#>c</~dsAnchor#>d<#dsAnchor#e<#ds~dsAnchor#>Anchor#f";
    page.links = {bad};
    std::string xml = Extract(pdf);
    EXPECT_EQ(CheckXmlGrammar(xml), "");
    EXPECT_EQ(Contents(xml), (std::vector<std::string>{Linked("http://x/a bcdef", "bad")}));

    EXPECT_EQ(SafeLinkTarget("a\r\nb"), "a  b");
    EXPECT_EQ(HtmlLink(5, 9, 1, 2, "~dsAnchor#>").getTarget(), "");
}

TEST(Links, RectangleIsNormalised) {
    HtmlLink link(10, 40, 2, 20, "t");
    EXPECT_EQ(link.getX1(), 2);
    EXPECT_EQ(link.getY1(), 20);
    EXPECT_EQ(link.getX2(), 10);
    EXPECT_EQ(link.getY2(), 40);
    EXPECT_TRUE(link.covers(0, 30, 5, 50));   // middle 40: bottom edge included
    EXPECT_FALSE(link.covers(0, 10, 5, 30));  // middle 20: top edge excluded
    EXPECT_FALSE(link.covers(10, 25, 12, 35));
    HtmlLinkList list;
    list.add(HtmlLink(0, 0, 100, 100, "first"));
    list.add(HtmlLink(0, 0, 100, 100, "second"));
    EXPECT_EQ(list.findRun(1, 1, 2, 2), std::optional<size_t>(0));
    EXPECT_EQ(list.findRun(200, 1, 300, 2), std::nullopt);
}
