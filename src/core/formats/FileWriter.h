#pragma once
// How the program writes its files: each one whole or not at all. A session
// is given one; tests give one that fails part way to see that nothing is lost.
#include "formats/AtomicFile.h"

#include <string>
#include <string_view>

namespace mardex {

struct FileWriter {
    // Every write fails once this many bytes are written; -1: never.
    long long failAfterBytes = -1;

    AtomicWriteResult Write(const std::string& path, std::string_view bytes) const
    {
        return WriteFileAtomically(path, bytes, failAfterBytes);
    }
};

// The writer of a session nobody gave another one.
inline const FileWriter AtomicFileWriter{};

} // namespace mardex
