#pragma once

#include <string>

namespace zelvik {

// The default symbol name of a code 0-256: "n5", "UA", "la", a table name such
// as "smin" or "USh", or "c" and the code in decimal. Always a valid C
// identifier, and no two codes share a name, not even without regard to case.
std::string autoSymbolName(int code);

} // namespace zelvik
