#include "font/AutoSymbolName.h"

#include <utility>

namespace zelvik {

namespace {

constexpr std::pair<int, const char*> kNameTable[] = {
    // printable ASCII signs
    {0x20, "ssp"},
    {0x21, "sexc"},
    {0x22, "sdq"},
    {0x23, "sfr"},
    {0x24, "sdlr"},
    {0x25, "sprc"},
    {0x26, "sand"},
    {0x27, "sap"},
    {0x28, "sprl"},
    {0x29, "sprr"},
    {0x2A, "sstr"},
    {0x2B, "spls"},
    {0x2C, "scmm"},
    {0x2D, "smin"},
    {0x2E, "sssp"},
    {0x2F, "sslh"},
    {0x3A, "scln"},
    {0x3B, "ssmc"},
    {0x3C, "sbrl"},
    {0x3D, "seql"},
    {0x3E, "sbrr"},
    {0x3F, "sqst"},
    {0x40, "szvn"},
    {0x5B, "sbl"},
    {0x5C, "sbsl"},
    {0x5D, "sbr"},
    {0x5E, "ssqr"},
    {0x5F, "sul"},
    {0x60, "shc"},
    {0x7B, "spsl"},
    {0x7C, "svli"},
    {0x7D, "spsh"},
    {0x7E, "svwe"},
    // Windows-1250 letters and accents: U/l, the base letter, h caron, c acute, k ring
    {0x8A, "USh"},
    {0x8D, "UTh"},
    {0x8E, "UZh"},
    {0x9A, "lsh"},
    {0x9D, "lth"},
    {0x9E, "lzh"},
    {0xA0, "sst"},
    {0xA1, "ssh"},
    {0xB0, "ssk"},
    {0xB4, "ssc"},
    {0xC1, "UAc"},
    {0xC8, "UCh"},
    {0xC9, "UEc"},
    {0xCC, "UEh"},
    {0xCD, "UIc"},
    {0xCF, "UDh"},
    {0xD2, "UNh"},
    {0xD3, "UOc"},
    {0xD8, "URh"},
    {0xD9, "UUk"},
    {0xDA, "UUc"},
    {0xDD, "UYc"},
    {0xE1, "lac"},
    {0xE8, "lch"},
    {0xE9, "lec"},
    {0xEC, "leh"},
    {0xED, "lic"},
    {0xEF, "ldh"},
    {0xF2, "lnh"},
    {0xF3, "loc"},
    {0xF8, "lrh"},
    {0xF9, "luk"},
    {0xFA, "luc"},
    {0xFD, "lyc"},
};

} // namespace

std::string autoSymbolName(int code) {
    // No string literal + string here: GCC 12 at -O3 warns falsely
    // (-Wrestrict) on operator+ of a literal and a std::string.
    if (code >= '0' && code <= '9')
        return {'n', static_cast<char>(code)};
    if (code >= 'A' && code <= 'Z')
        return {'U', static_cast<char>(code)};
    if (code >= 'a' && code <= 'z')
        return {'l', static_cast<char>(code)};
    for (const auto& [tableCode, name] : kNameTable) {
        if (tableCode == code)
            return name;
    }
    std::string name(1, 'c');
    name += std::to_string(code);
    return name;
}

} // namespace zelvik
