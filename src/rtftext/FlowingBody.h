#pragma once
// The body of a page in "FLOWING TEXT": its sections one below the other.
#include <string>

class CRtfPage;

// flags bit 1: the last page of the range.
std::string WriteFlowingBody(CRtfPage& page, unsigned flags);
