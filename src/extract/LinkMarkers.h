#pragma once
// The markers the extraction writes around a link inside run text, and the
// RTF engine reads back: start, target, middle, visible text, end.
#include <string_view>

inline constexpr std::string_view kLinkStart = "<#dsAnchor#";
inline constexpr std::string_view kLinkMiddle = "~dsAnchor#>";
inline constexpr std::string_view kLinkEnd = "</~dsAnchor#>";
