// libFuzzer target: any bytes read as LandXML must give sheets the store can
// hold or a refusal naming the file, never a crash or a hang.
#include "formats/LandXmlReader.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The first two surface names found, in either order by the first byte.
    const bool swap = size > 0 && (data[0] & 1);
    const auto read = mardex::ReadLandXml(bytes, "fuzz.xml", [&](const std::vector<std::string>& names, const mardex::SurfaceChoice& proposal) {
        if (names.size() < 2) return std::optional<mardex::SurfaceChoice>(proposal);
        return std::optional<mardex::SurfaceChoice>(swap ? mardex::SurfaceChoice{names[1], names[0]}
                                                         : mardex::SurfaceChoice{names[0], names[1]});
    });
    if (!read) {
        if (read.fault.file != "fuzz.xml" || read.fault.what.empty()) std::abort();
        return 0;
    }
    if (read.document->sheets.empty() || read.document->sheets.size() > 26) std::abort();
    for (const auto& sheet : read.document->sheets) {
        if (sheet.rows.size() > 1800 || sheet.tabName.size() > 20) std::abort();
        for (const auto& row : sheet.rows)
            for (const auto& cell : row)
                if (cell.empty()) std::abort();
    }
    return 0;
}
