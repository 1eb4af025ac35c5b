#pragma once
// The body of a page in "FLOWING TEXT": its sections one below the other.
#include <string>

class PageLayout;

// lastOfRange: the last page converted; firstOfFile: nothing was written before the page.
std::string WriteFlowingBody(PageLayout& layout, bool lastOfRange, bool firstOfFile);
