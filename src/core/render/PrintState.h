#pragma once
// Paging state of the preview and the printer.
#include <cstdint>
#include <ctime>
#include <functional>

namespace mardex {

struct PrintState {
    int16_t PageToRender = 1;
    int16_t PrintedPageNumber = 1;
    int PageWidthCells = 0;   // W
    int PageHeightCells = 0;  // H
    int16_t PrintFromPage = 0, PrintToPage = 0;

    // The local date and time shown in the running page header; tests
    // replace it with a fixed moment. Empty means the system clock.
    std::function<std::tm()> LocalNow;
};

} // namespace mardex
