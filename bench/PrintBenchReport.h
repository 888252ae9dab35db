#pragma once
// A report file of a given number of pages for the printing benchmarks.
#include "app/PageRendering.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace mardex::bench {

inline std::string WriteReportOfPages(const std::string& name, long pages)
{
    const auto path = (std::filesystem::temp_directory_path() / name).string();
    std::ofstream out(path, std::ios::binary);
    out << "#Designer= D\r\n#Project No.= P\r\n#Control No.= C\r\n#TabName= T\r\n#System= 0\r\n#Embankment= 0\r\n";
    const long lines = FirstPageLines + LaterPageLines * (pages - 1);
    char row[160];
    for (long i = 0; i < lines; ++i) {
        std::snprintf(row, sizeof row,
                      "%06ld+%02ld.000     111.00       0.00      172.00       0.00       0.00       0.00       1.00"
                      "       0.00     %6ld.00\r\n",
                      i / 2, (i % 2) * 50, i);
        out << row;
    }
    out << std::string(65, '#') << "\r\n";
    return path;
}

} // namespace mardex::bench
