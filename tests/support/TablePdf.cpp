#include "support/TablePdf.h"

#include <regex>
#include <sstream>

#include "support/PdfWriter.h"
#include "support/RtfText.h"

namespace testpdf {

namespace {

// Helvetica's advance widths in thousandths of an em, for the text set flush right.
double TextWidth(const std::string& text, double size) {
    double width = 0;
    for (char c : text) width += (c == '.' || c == ',' || c == ' ') ? 278 : 556;
    return width * size / 1000;
}

std::string Rule(double x0, double y0, double x1, double y1, const TableSpec& spec) {
    std::ostringstream s;
    if (spec.rulesAsFills) {
        const double half = spec.ruleWidth / 2;
        if (y0 == y1) s << x0 << " " << y0 - half << " " << x1 - x0 << " " << spec.ruleWidth << " re f\n";
        else s << x0 - half << " " << y0 << " " << spec.ruleWidth << " " << y1 - y0 << " re f\n";
    } else {
        s << spec.ruleWidth << " w " << x0 << " " << y0 << " m " << x1 << " " << y1 << " l S\n";
    }
    return s.str();
}

std::string Collapse(const std::string& text) {
    std::string out;
    for (char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t';
        if (blank && (out.empty() || out.back() == ' ')) continue;
        out += blank ? ' ' : c;
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

}  // namespace

std::string TableContent(const TableSpec& spec) {
    const size_t rows = spec.cells.size(), columns = spec.columns.size() - 1;
    auto rowTop = [&](size_t r) { return spec.top - spec.rowHeight * static_cast<double>(r); };
    auto at = [&](size_t r, size_t c) -> std::string {
        return r < rows && c < spec.cells[r].size() ? spec.cells[r][c] : std::string();
    };
    std::ostringstream s;
    if (spec.shadedRow >= 0) {
        const auto r = static_cast<size_t>(spec.shadedRow);
        s << "0.85 g " << spec.columns.front() << " " << rowTop(r + 1) << " " << spec.columns.back() - spec.columns.front()
          << " " << spec.rowHeight << " re f 0 g\n";
    }
    for (size_t r = 0; r < rows; ++r) {
        for (size_t c = 0; c < columns; ++c) {
            const std::string text = at(r, c);
            if (text.empty() || text == "<" || text == "^") continue;
            size_t last = c;
            while (at(r, last + 1) == "<") ++last;
            const double baseline = rowTop(r + 1) + 6;
            const double x = c >= spec.firstNumberColumn && (r > 0 || spec.headingsFlushRight)
                                 ? spec.columns[last + 1] - 4 - TextWidth(text, 10)
                                 : spec.columns[c] + 4;
            s << TextLine(text, x, baseline, 10, "F1");
        }
    }
    const bool horizontal = spec.rules == TableRules::All || spec.rules == TableRules::HorizontalOnly;
    const bool vertical = spec.rules == TableRules::All || spec.rules == TableRules::VerticalOnly;
    for (size_t edge = 0; edge <= rows; ++edge) {
        if (!horizontal && !(spec.rules == TableRules::HeaderOnly && edge == 1)) continue;
        for (size_t c = 0; c < columns; ++c)
            if (at(edge, c) != "^" || edge == 0 || edge == rows)
                s << Rule(spec.columns[c], rowTop(edge), spec.columns[c + 1], rowTop(edge), spec);
    }
    if (vertical) {
        for (size_t edge = 0; edge <= columns; ++edge)
            for (size_t r = 0; r < rows; ++r)
                if (edge == 0 || edge == columns || at(r, edge) != "<")
                    s << Rule(spec.columns[edge], rowTop(r + 1), spec.columns[edge], rowTop(r), spec);
    }
    if (spec.frameWidth > 0)
        s << spec.frameWidth << " w " << spec.columns.front() << " " << rowTop(rows) << " "
          << spec.columns.back() - spec.columns.front() << " " << rowTop(0) - rowTop(rows) << " re S\n";
    return s.str();
}

TableSpec FruitTable() {
    TableSpec spec;
    spec.cells = {{"Fruit", "Quantity", "Price"},
                  {"Apples", "12", "3.50"},
                  {"Pears", "7", "12.25"},
                  {"Plums", "130", "0.75"}};
    return spec;
}

std::vector<std::vector<std::string>> RtfTableRows(const std::string& rtf) {
    std::vector<std::vector<std::string>> rows;
    static const std::regex rowEnd(R"(\\row(?![a-z]))"), cellEnd(R"(\\cell(?![a-z]))");
    size_t from = 0;
    for (auto it = std::sregex_iterator(rtf.begin(), rtf.end(), rowEnd); it != std::sregex_iterator(); ++it) {
        const size_t end = static_cast<size_t>(it->position());
        std::string row = rtf.substr(from, end - from);
        from = end + 4;
        const size_t start = row.rfind("\\trowd");
        if (start == std::string::npos) continue;
        row = row.substr(start);
        std::vector<std::string> cells;
        size_t cellFrom = 0;
        for (auto c = std::sregex_iterator(row.begin(), row.end(), cellEnd); c != std::sregex_iterator(); ++c) {
            const size_t cellEndAt = static_cast<size_t>(c->position());
            cells.push_back(Collapse(RtfPlainText(row.substr(cellFrom, cellEndAt - cellFrom))));
            cellFrom = cellEndAt + 5;
        }
        rows.push_back(cells);
    }
    return rows;
}

std::vector<std::vector<std::string>> HtmlTableRows(const std::string& html) {
    std::vector<std::vector<std::string>> rows;
    static const std::regex row(R"(<tr[^>]*>([\s\S]*?)</tr>)", std::regex::icase);
    static const std::regex cell(R"(<t[dh][^>]*>([\s\S]*?)</t[dh]>)", std::regex::icase);
    static const std::regex tag(R"(<[^>]*>)");
    for (auto r = std::sregex_iterator(html.begin(), html.end(), row); r != std::sregex_iterator(); ++r) {
        const std::string inner = (*r)[1];
        std::vector<std::string> cells;
        for (auto c = std::sregex_iterator(inner.begin(), inner.end(), cell); c != std::sregex_iterator(); ++c) {
            std::string text = std::regex_replace(std::string((*c)[1]), tag, " ");
            for (const auto& [entity, ch] : std::vector<std::pair<std::string, std::string>>{
                     {"&nbsp;", " "}, {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}}) {
                for (size_t p = text.find(entity); p != std::string::npos; p = text.find(entity, p))
                    text.replace(p, entity.size(), ch);
            }
            cells.push_back(Collapse(text));
        }
        rows.push_back(cells);
    }
    return rows;
}

}  // namespace testpdf
