#pragma once
// Whether a file may be read as one of the program's inputs: only a regular
// file is opened (a folder, a pipe or a device would fail obscurely or block),
// and one larger than any real input is refused before it is read.
#include <cstdint>
#include <string>

namespace mardex {

inline constexpr std::uintmax_t MaxDocumentBytes = 64ull << 20;   // 26 full sheets are about 5 MB
inline constexpr std::uintmax_t MaxLogBytes = 100ull << 20;
inline constexpr std::uintmax_t MaxSettingsBytes = 1ull << 20;

// Empty when `path` is a readable regular file of at most maxBytes; otherwise
// a message naming the file ("<path>: it is a folder, not a file", ...).
std::string InputFileProblem(const std::string& path, std::uintmax_t maxBytes);

} // namespace mardex
