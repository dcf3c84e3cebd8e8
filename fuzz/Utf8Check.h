#pragma once

#include <cstddef>
#include <string_view>

namespace sumwise::fuzz {

// Well-formed UTF-8, by the Unicode table of well-formed byte sequences.
inline bool IsUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        size_t n = 0;
        unsigned char lo = 0x80;
        unsigned char hi = 0xBF;
        if (b < 0x80) {
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            n = 1;
        } else if (b == 0xE0) {
            n = 2;
            lo = 0xA0;
        } else if (b >= 0xE1 && b <= 0xEC) {
            n = 2;
        } else if (b == 0xED) {
            n = 2;
            hi = 0x9F;
        } else if (b >= 0xEE && b <= 0xEF) {
            n = 2;
        } else if (b == 0xF0) {
            n = 3;
            lo = 0x90;
        } else if (b >= 0xF1 && b <= 0xF3) {
            n = 3;
        } else if (b == 0xF4) {
            n = 3;
            hi = 0x8F;
        } else {
            return false;
        }
        if (i + n >= s.size()) {
            return false; // the sequence is cut short
        }
        for (size_t k = 1; k <= n; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            const unsigned char low = k == 1 ? lo : 0x80;
            const unsigned char high = k == 1 ? hi : 0xBF;
            if (c < low || c > high) {
                return false;
            }
        }
        i += n + 1;
    }
    return true;
}

} // namespace sumwise::fuzz
