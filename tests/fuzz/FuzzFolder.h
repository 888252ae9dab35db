#pragma once
// A private scratch folder for fuzz targets whose readers take a path: each
// input is written to a file there before it is read.
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz {

inline const std::string& ScratchFolder()
{
    static const std::string folder = [] {
        std::string pattern = "/tmp/mardex-fuzz-XXXXXX";
        if (const char* dir = std::getenv("TMPDIR"); dir && *dir) pattern = std::string(dir) + "/mardex-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        return pattern;
    }();
    return folder;
}

inline std::string WriteScratchFile(const std::string& name, const char* data, std::size_t size)
{
    const std::string path = ScratchFolder() + "/" + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    if (size && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
    return path;
}

} // namespace fuzz
