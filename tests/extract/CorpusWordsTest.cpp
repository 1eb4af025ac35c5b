// The words of real PDFs against a referee: every word that `pdftotext -bbox` finds
// is a word of the XML at the same place, and the XML seldom joins two of them.
// VELLUMOR_WORDCHECK=FILE.pdf[:FILE.pdf...] checks other files the same way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>

#include "ExtractRun.h"
#include "support/PdfWriter.h"
#include "support/RtfText.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

using namespace extracttest;

namespace {

struct Word {
    int page = 0;
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // points, top left origin
    std::string text;                       // UTF-8
    bool turned = false;  // on a page turned by its rotation, whose boxes the referee measures otherwise
};

std::string Unescape(std::string s) {
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [from, to] : entities)
        for (size_t p = s.find(from); p != std::string::npos; p = s.find(from, p + 1)) s.replace(p, std::strlen(from), to);
    return s;
}

// A data line's content as UTF-8: Latin-1 bytes, entities, wide characters as "\uc1\uNX",
// link markers dropped.
std::string ContentText(std::string content) {
    for (const char* marker : {"</~dsAnchor#>"}) {
        for (size_t p = content.find(marker); p != std::string::npos; p = content.find(marker)) content.erase(p, std::strlen(marker));
    }
    size_t open = content.find("<#dsAnchor#");
    size_t middle = content.find("~dsAnchor#>");
    if (open != std::string::npos && middle != std::string::npos) content.erase(open, middle + 11 - open);
    content = Unescape(content);
    std::string out;
    for (size_t i = 0; i < content.size(); ++i) {
        if (content.compare(i, 6, "\\uc1\\u") == 0) {
            size_t end = content.find('X', i + 6);
            if (end != std::string::npos) {
                testpdf::AppendUtf8(out, std::stoul(content.substr(i + 6, end - i - 6)));
                i = end;
                continue;
            }
        }
        testpdf::AppendUtf8(out, static_cast<unsigned char>(content[i]));
    }
    return out;
}

std::vector<Word> XmlWords(const std::string& xml) {
    std::vector<Word> words;
    for (const TextElement& e : Elements(xml)) {
        Word w{e.page, e.left / 1.5, e.top / 1.5, (e.left + e.width) / 1.5, (e.top + e.height) / 1.5, ContentText(e.content)};
        // A no-break space joins the words it stands between; the referee sees two.
        std::istringstream parts(w.text);
        std::string part;
        while (parts >> part) words.push_back(Word{w.page, w.x0, w.y0, w.x1, w.y1, part});
    }
    return words;
}

double Attribute(const std::string& line, const char* name) {
    size_t p = line.find(std::string(name) + "=\"");
    return p == std::string::npos ? 0 : std::atof(line.c_str() + p + std::strlen(name) + 2);
}

std::vector<Word> RefereeWords(const std::string& pdf, const std::string& password) {
    std::vector<std::string> argv = {"pdftotext", "-q", "-bbox"};
    if (!password.empty()) argv.insert(argv.end(), {"-upw", password});
    argv.insert(argv.end(), {pdf, "-"});
    platform::ProcessResult r = testpdf::RunProgram(argv);
    std::vector<Word> words;
    int page = 0;
    std::istringstream lines(r.output);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.find("<page ") != std::string::npos) ++page;
        size_t open = line.find("<word ");
        if (open == std::string::npos) continue;
        size_t start = line.find('>', open), end = line.rfind("</word>");
        if (start == std::string::npos || end == std::string::npos || end < start) continue;
        // A character map may give one glyph a blank: the referee keeps it in the word.
        std::istringstream parts(Unescape(line.substr(start + 1, end - start - 1)));
        std::string part;
        while (parts >> part) {
            // Control characters have no place in a document and are left out of the XML.
            if (std::all_of(part.begin(), part.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; })) continue;
            words.push_back(Word{page, Attribute(line, "xMin"), Attribute(line, "yMin"), Attribute(line, "xMax"),
                                 Attribute(line, "yMax"), part});
        }
    }
    return words;
}

// The referee keeps ligatures and no-break spaces as drawn; the XML gives letters.
std::string Normalised(std::string text) {
    const std::pair<const char*, const char*> forms[] = {{"\xEF\xAC\x80", "ff"}, {"\xEF\xAC\x81", "fi"},
                                                         {"\xEF\xAC\x82", "fl"}, {"\xEF\xAC\x83", "ffi"},
                                                         {"\xEF\xAC\x84", "ffl"}, {"\xC2\xAD", ""}};
    for (const auto& [from, to] : forms)
        for (size_t p = text.find(from); p != std::string::npos; p = text.find(from)) text.replace(p, std::strlen(from), to);
    return text;
}

// The XML gives blackboard letters as the double-struck characters, which the referee
// reads as plain letters.
std::string PlainLetters(std::string text) {
    const std::pair<const char*, const char*> letters[] = {{"\xE2\x84\x82", "C"}, {"\xE2\x84\x8D", "H"},
                                                           {"\xE2\x84\x95", "N"}, {"\xE2\x84\x99", "P"},
                                                           {"\xE2\x84\x9A", "Q"}, {"\xE2\x84\x9D", "R"},
                                                           {"\xE2\x84\xA4", "Z"}};
    for (const auto& [from, to] : letters)
        for (size_t p = text.find(from); p != std::string::npos; p = text.find(from)) text.replace(p, std::strlen(from), to);
    return text;
}

std::vector<unsigned> CodePoints(const std::string& utf8) {
    std::vector<unsigned> out;
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        unsigned u = n == 1 ? lead : lead & (0xFF >> (n + 1));
        for (size_t k = 1; k < n && i + k < utf8.size(); ++k) u = (u << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        out.push_back(u);
        i += n;
    }
    return out;
}

// A word's letters without accents: the XML sets an accent that the source draws as a
// glyph of its own onto its letter, where the referee keeps it apart or composes it.
std::vector<unsigned> Skeleton(const std::string& utf8) {
    static const std::string kLatin1Bases = "AAAAAAACEEEEIIIIDNOOOOOxOUUUUYTsaaaaaaaceeeeiiiidnooooo/ouuuuyty";
    std::vector<unsigned> out;
    for (unsigned u : CodePoints(utf8)) {
        if ((u >= 0x300 && u <= 0x36F) || (u >= 0x20D0 && u <= 0x20FF)) continue;
        if (u == 0x2DC || u == 0x2C6 || u == 0xA8 || u == 0xB4 || u == 0xAF || u == 0x2C7 || u == 0x2D8 ||
            u == 0x2D9 || u == 0x2DA)
            continue;
        if (u >= 0xC0 && u <= 0xFF) u = static_cast<unsigned char>(kLatin1Bases[u - 0xC0]);
        out.push_back(u);
    }
    return out;
}

// The referee passes the codes of symbol fonts on as letters where the XML gives the
// symbol (a triangle, a bracket): it judges word boundaries, so a symbol of the XML
// stands for any one character.
bool SameLetters(const std::vector<unsigned>& ours, const std::vector<unsigned>& theirs, size_t at = 0) {
    if (at + ours.size() > theirs.size()) return false;
    for (size_t i = 0; i < ours.size(); ++i)
        if (ours[i] != theirs[at + i] && ours[i] < 0x2000) return false;
    return true;
}

bool SameText(const std::string& ours, const std::string& theirs) {
    std::vector<unsigned> a = Skeleton(ours), b = Skeleton(theirs);
    return a.size() == b.size() && SameLetters(a, b);
}

// Pieces that spell the word from its first character to its last, left to right.
bool Spelt(std::vector<const Word*> pieces, const std::string& word) {
    std::stable_sort(pieces.begin(), pieces.end(), [](const Word* a, const Word* b) { return a->x0 < b->x0; });
    const std::vector<unsigned> letters = Skeleton(word);
    if (letters.empty()) return !pieces.empty();  // an accent the XML set onto its letter
    size_t at = 0;
    for (const Word* piece : pieces) {
        std::vector<unsigned> p = Skeleton(piece->text);
        if (!p.empty() && SameLetters(p, letters, at)) at += p.size();
    }
    return at == letters.size();
}

bool Overlap(const Word& a, const Word& b) {
    if (a.page == b.page && (a.turned || b.turned)) return true;
    const double slack = 1.0;
    return a.page == b.page && a.x0 < b.x1 + slack && b.x0 < a.x1 + slack && a.y0 < b.y1 + slack && b.y0 < a.y1 + slack;
}

struct PageScore {
    int referee = 0, found = 0, xml = 0, joins = 0;
    std::string missed;  // the first words missed
};

// Checks one file; the pages that miss are described in `report`.
std::map<int, PageScore> Score(const std::string& pdf, const std::string& password, std::string& report) {
    const std::string xml = ExtractFile(pdf, password);
    std::vector<Word> ours = XmlWords(xml);
    std::map<int, bool> turned;
    int pageNumber = 0;
    for (const std::string& line : Lines(xml))
        if (line.rfind("<page ", 0) == 0) turned[++pageNumber] = IntAttr(line, "protation") != 0;
    for (Word& w : ours) {
        w.text = PlainLetters(w.text);
        w.turned = turned[w.page];
    }
    std::vector<Word> referee = RefereeWords(pdf, password);
    for (Word& w : referee) w.text = Normalised(w.text);
    std::map<int, std::vector<const Word*>> oursByPage;
    for (const Word& w : ours) oursByPage[w.page].push_back(&w);
    std::map<int, std::vector<const Word*>> refereeByPage;
    for (const Word& w : referee) refereeByPage[w.page].push_back(&w);

    std::map<int, PageScore> pages;
    for (const Word& r : referee) {
        PageScore& s = pages[r.page];
        ++s.referee;
        // Found as one element, or as the pieces of a word whose font changes inside
        // it (a formula, a logo): elements on its place that spell it left to right.
        std::vector<const Word*> pieces;
        bool found = false;
        for (const Word* o : oursByPage[r.page]) {
            if (!Overlap(*o, r)) continue;
            if (SameText(o->text, r.text)) found = true;
            const double shared = std::min(o->y1, r.y1) - std::max(o->y0, r.y0);
            const double centre = (o->x0 + o->x1) / 2;
            if (shared >= 0.5 * std::min(o->y1 - o->y0, r.y1 - r.y0) && centre >= r.x0 && centre <= r.x1)
                pieces.push_back(o);
        }
        if (!found) found = Spelt(pieces, r.text);
        // The referee reads a negation slash as the code of its glyph, beside the relation.
        if (!found && r.text.size() == 1)
            for (const Word* o : pieces)
                if (o->text.find("\xE2\x89") != std::string::npos || o->text.find("\xE2\x88") != std::string::npos) found = true;
        s.found += found;
        if (!found && s.referee - s.found <= 5) s.missed += " \"" + r.text + "\"";
    }
    for (const Word& o : ours) {
        PageScore& s = pages[o.page];
        ++s.xml;
        // Joined: the referee has two words here that make up this one.
        int parts = 0;
        bool single = false;
        for (const Word* r : refereeByPage[o.page]) {
            if (!Overlap(o, *r)) continue;
            if (r->text == o.text) single = true;
            else if (!r->text.empty() && o.text.find(r->text) != std::string::npos) ++parts;
        }
        if (!single && parts >= 2) ++s.joins;
    }
    for (const auto& [page, s] : pages) {
        bool recallMiss = s.referee > 0 && s.found < 0.99 * s.referee;
        bool joinMiss = s.xml > 0 && s.joins > 0.005 * s.xml;
        if (recallMiss || joinMiss)
            report += pdf + " page " + std::to_string(page) + ": " + std::to_string(s.found) + " of " +
                      std::to_string(s.referee) + " referee words found, " + std::to_string(s.joins) + " of " +
                      std::to_string(s.xml) + " words joined; missed" + s.missed + "\n";
    }
    return pages;
}

std::vector<std::string> FilesToCheck() {
    std::vector<std::string> files;
    if (const char* list = std::getenv("VELLUMOR_WORDCHECK")) {
        std::istringstream parts(list);
        std::string f;
        while (std::getline(parts, f, ':'))
            if (!f.empty()) files.push_back(f);
        return files;
    }
    std::string corpus = testpdf::CorpusDir();
    if (corpus.empty()) return files;
    for (const auto& entry : std::filesystem::directory_iterator(corpus))
        if (entry.path().extension() == ".pdf") files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

TEST(CorpusWords, EveryRefereeWordIsAWordOfTheXml) {
    if (testpdf::RunProgram({"pdftotext", "-v"}).status != 0) GTEST_SKIP() << "no pdftotext";
    std::vector<std::string> files = FilesToCheck();
    if (files.empty()) GTEST_SKIP() << "no corpus";
    std::string report;
    int referee = 0, found = 0, xml = 0, joins = 0;
    for (const std::string& file : files) {
        const std::string password =
            std::filesystem::path(file).filename() == "libreoffice-writer-password.pdf" ? "openpassword" : "";
        for (const auto& [page, s] : Score(file, password, report)) {
            referee += s.referee;
            found += s.found;
            xml += s.xml;
            joins += s.joins;
        }
    }
    std::printf("referee words %d, found %d; XML words %d, joined %d\n", referee, found, xml, joins);
    EXPECT_EQ(report, "");
}
