#pragma once
// Where a page stands in the range of pages converted: the first takes no page break
// before it, and the last no paragraph mark after its last line.
struct PageInRange {
    bool first = false;
    bool last = false;
};
