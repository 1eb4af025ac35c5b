#pragma once
// A checker of the intermediate XML's line structure, independent of the writer:
// what any line-oriented reader of the file relies on.
#include <string>

namespace extracttest {

// Empty when the file follows the grammar, else "line N: what is wrong".
std::string CheckXmlGrammar(const std::string& xml);

}  // namespace extracttest
