#pragma once
// A table row of two cells written as RTF.
#include <string>

class TableRow;

// The cells of the row, without the row group; empty when the row is not writable.
std::string WriteTableRow(TableRow& row);
