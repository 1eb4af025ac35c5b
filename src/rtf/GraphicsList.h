#pragma once
// The graphic entries recorded for one page, in drawing order. The list owns its
// entries; whoever takes an entry out (the RTF page) owns it then.
#include <memory>
#include <vector>

#include "rtf/RecordedGraphics.h"

using GraphicsList = std::vector<std::unique_ptr<GraphicEntry>>;
