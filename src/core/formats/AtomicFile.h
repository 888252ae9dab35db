#pragma once
// Replacing a file so that it is never left half-written: the bytes go to a
// temporary file in the same folder, are flushed to the disk, and the
// temporary file is then renamed over the target. On any failure the target
// is left exactly as it was.
#include <string>
#include <string_view>

namespace mardex {

struct AtomicWriteResult {
    bool ok = false;
    std::string error;  // the reason, naming the file, when !ok
};

// failAfterBytes >= 0 makes the write fail once that many bytes have been
// written (tests inject write errors this way); -1 never fails on purpose.
AtomicWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes,
                                      long long failAfterBytes = -1);

} // namespace mardex
