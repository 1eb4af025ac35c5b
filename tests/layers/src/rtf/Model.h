// A model header that wrongly reaches up into the layout.
#include "rtf/Other.h"
#include "layout/Placement.h"
