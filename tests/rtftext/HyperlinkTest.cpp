#include <gtest/gtest.h>

#include "rtftext/Hyperlinks.h"

namespace {

std::string Link(const std::string& target, const std::string& text) {
    return "<#dsAnchor#" + target + "~dsAnchor#>" + text + "</~dsAnchor#>";
}

std::string Field(const std::string& target, const std::string& text) {
    return "{\\field{\\*\\fldinst{HYPERLINK \"" + target + "\"}}{\\fldrslt {" + text + "}}}";
}

}  // namespace

TEST(Hyperlinks, LinksBecomeFields) {
    EXPECT_EQ(RewriteLinks("plain</~dsAnchor#> text", "doc.xml", false), "plain text");
    EXPECT_EQ(RewriteLinks("", "doc.xml", false), "");
    std::string run = "\\fs24\\cf0\\f1\\charscalex100 {" + Link("http://x.org", "word") + "}";
    EXPECT_EQ(RewriteLinks(run, "doc.xml", false), "\\fs24\\cf0\\f1\\charscalex100 {" + Field("http://x.org", "word") + "}");
    EXPECT_EQ(RewriteLinks("a " + Link("u1", "one") + " b " + Link("u2", "two") + " c", "", false),
              "a " + Field("u1", "one") + " b " + Field("u2", "two") + " c");
}

TEST(Hyperlinks, SameDocumentTargetsAndEmptyTargets) {
    EXPECT_EQ(RewriteLinks(Link("doc.xml#12", "see"), "doc.xml", false), Field("#12", "see"));
    EXPECT_EQ(RewriteLinks("x" + Link("doc.xml", "see"), "doc.xml", false), "xsee");
    EXPECT_EQ(RewriteLinks(Link("", "see") + "!", "doc.xml", false), "see!");
    // A quote in the target would end the field instruction.
    EXPECT_EQ(RewriteLinks(Link("http://x.org/?q=\"a\"", "q"), "", false), Field("http://x.org/?q=%22a%22", "q"));
}

TEST(Hyperlinks, BrokenMarkers) {
    // No middle marker: the link disappears with its text.
    EXPECT_EQ(RewriteLinks("a <#dsAnchor#target</~dsAnchor#> b", "", false), "a  b");
    // A link whose end lies in another line keeps its visible text, not its markers.
    EXPECT_EQ(RewriteLinks(Link("u", "one") + " <#dsAnchor#u2~dsAnchor#>two", "", false), Field("u", "one") + " two");
    EXPECT_EQ(RewriteLinks("<#dsAnchor#u2~dsAnchor#>two", "", false), "two");
    // A whole string that is one link with nothing visible gives nothing, not markers.
    EXPECT_EQ(RewriteLinks(Link("", ""), "", false), "");
}

TEST(Hyperlinks, TextOnlyKeepsTheVisibleText) {
    EXPECT_EQ(StripLinks("\\f0 {" + Link("http://x.org", "word") + "} after"), "\\f0 {word} after");
    EXPECT_EQ(StripLinks("a <#dsAnchor#target</~dsAnchor#>b"), "a b");
}
