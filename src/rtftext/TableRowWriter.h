#pragma once
// A table row of two cells written as RTF.
#include <string>

class TableRow;

// The cells of the row, without the row group; empty when the row is not writable.
// origin: the left of the column the row stands in, from which its cell edges count.
std::string WriteTableRow(TableRow& row, int origin);
