#pragma once
// Paging state of the preview and the printer.
#include <cstdint>

namespace mardex {

struct PrintState {
    int16_t PageToRender = 1;
    int16_t PrintedPageNumber = 1;
    int PageWidthCells = 0;   // W
    int PageHeightCells = 0;  // H
    int16_t PrintFromPage = 0, PrintToPage = 0;
};

} // namespace mardex
