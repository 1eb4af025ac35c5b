#pragma once
// The body of a page in "FLOWING TEXT": its sections one below the other.
#include <string>

class PageLayout;

// flags bit 1: the last page of the range; firstOfFile: nothing was written before the page.
std::string WriteFlowingBody(PageLayout& layout, unsigned flags, bool firstOfFile);
