#include "formats/TextEncoding.h"

#include <cstdio>

namespace mardex {

namespace {

enum class Utf16 { None, Little, Big };

// By the byte order mark, or by the NUL bytes of plain text: in UTF-16 the
// first character of a CSV or XML file is ASCII, so one of its two bytes is 0.
Utf16 Utf16Order(std::string_view& text)
{
    if (text.size() >= 2 && text[0] == '\xFF' && text[1] == '\xFE') {
        text.remove_prefix(2);
        return Utf16::Little;
    }
    if (text.size() >= 2 && text[0] == '\xFE' && text[1] == '\xFF') {
        text.remove_prefix(2);
        return Utf16::Big;
    }
    if (text.size() >= 4 && text[0] != '\0' && text[1] == '\0' && text[2] != '\0' && text[3] == '\0') return Utf16::Little;
    if (text.size() >= 4 && text[0] == '\0' && text[1] != '\0' && text[2] == '\0' && text[3] != '\0') return Utf16::Big;
    return Utf16::None;
}

} // namespace

bool DecodeToSingleBytes(std::string_view& text, std::string& storage, std::string& error)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
        return true;
    }
    const Utf16 order = Utf16Order(text);
    if (order == Utf16::None) return true;
    const char* name = order == Utf16::Little ? "UTF-16 (little-endian)" : "UTF-16 (big-endian)";
    storage.clear();
    storage.reserve(text.size() / 2);
    long line = 1;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(text[order == Utf16::Little ? i : i + 1]);
        const auto hi = static_cast<unsigned char>(text[order == Utf16::Little ? i + 1 : i]);
        const unsigned unit = hi << 8 | lo;
        if (unit > 0xFF) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", unit);
            error = std::string("the file is ") + name + " text and line " + std::to_string(line) + " holds " + code +
                    ", a character the program's single-byte text cannot keep";
            return false;
        }
        if (unit == '\n') ++line;
        storage += static_cast<char>(unit);
    }
    if (text.size() % 2 != 0) {
        error = std::string("the file is ") + name + " text with an odd number of bytes (cut short)";
        return false;
    }
    text = storage;
    return true;
}

} // namespace mardex
