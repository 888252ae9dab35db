#include "formats/InputFile.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace mardex {

std::string InputFileProblem(const std::string& path, std::uintmax_t maxBytes)
{
    struct stat st {};
    if (path.find('\0') != std::string::npos) return path.substr(0, path.find('\0')) + ": the name holds a NUL byte";
    if (::stat(path.c_str(), &st) != 0) return path + ": " + std::strerror(errno);
    if (S_ISDIR(st.st_mode)) return path + ": it is a folder, not a file";
    if (!S_ISREG(st.st_mode)) return path + ": it is not a regular file (a pipe or a device); it is not read";
    if (static_cast<std::uintmax_t>(st.st_size) > maxBytes)
        return path + ": the file has " + std::to_string(st.st_size) + " bytes, more than any real one (" +
               std::to_string(maxBytes >> 20) + " MB); it is not read";
    if (::access(path.c_str(), R_OK) != 0) return path + ": " + std::strerror(errno);
    return {};
}

} // namespace mardex
