#include "text/DocumentName.h"

namespace mardex {

std::string DocumentName(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F) out += ' ';
        else if (c == '[') out += '(';
        else if (c == ']') out += ')';
        else out += ch;
    }
    const auto first = out.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

} // namespace mardex
