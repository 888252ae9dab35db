// libFuzzer target: the mass-haul diagram of any computed sheet (rows of
// stations, ordinates and volumes with their equation, forced-balance and
// skip marks) is drawn within the page with finite coordinates, never a
// crash or a hang.
#include "compute/HaulAnalysis.h"
#include "render/MassHaulDiagram.h"
#include "render/RecordingSurface.h"
#include "text/NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// The next 4 bytes as a whole number (0 past the end).
int32_t Take(const uint8_t*& p, const uint8_t* end)
{
    int32_t v = 0;
    if (end - p >= 4) std::memcpy(&v, p, 4);
    p += std::min<std::ptrdiff_t>(4, end - p);
    return v;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const uint8_t* p = data;
    const uint8_t* const end = data + size;
    mardex::MassSheet sheet;
    sheet.tabName = "FUZZ";
    sheet.metric = size > 0 && (data[0] & 1);
    mardex::HaulOptions options;
    options.freeHaul = std::abs(Take(p, end) % 100000) / 10.0;
    if (options.freeHaul > 0 && (size > 1 && (data[1] & 1))) options.price = 2.5;
    double station = Take(p, end) / 100.0;
    while (end - p >= 1 && sheet.rows.size() < 4000) {
        const uint8_t flags = *p++;
        mardex::MassRow row;
        // Stations mostly grow; an equation may step back.
        station += (flags & 0x80 ? -1 : 1) * std::abs(Take(p, end) % 10000000) / 100.0;
        row.station = station;
        row.stationText = mardex::FormatStation(station);
        row.ordinate = Take(p, end) / 100.0;
        row.balancePoint = flags & 1;
        row.equationBack = flags & 2;
        row.equationAhead = flags & 4;
        row.forcedBalance = flags & 8;
        row.skipOpens = flags & 16;
        row.skipCloses = flags & 32;
        if (row.forcedBalance) {
            row.cutVolume = std::abs(Take(p, end)) / 100.0;
            row.adjustedFill = std::abs(Take(p, end)) / 100.0;
        }
        sheet.rows.push_back(row);
    }
    const mardex::HaulAnalysis haul = mardex::AnalyseHaul(sheet.rows, options);
    mardex::RecordingSurface surface(140, 63);
    surface.BeginDoc();
    mardex::DrawMassHaulDiagram(surface, sheet, haul);
    surface.EndDoc();
    for (const auto& page : surface.pages) {
        for (const auto& t : page.texts)
            if (!std::isfinite(t.x) || !std::isfinite(t.y) || !std::isfinite(t.fontSize)) std::abort();
        for (const auto& l : page.lines)
            if (!std::isfinite(l.x) || !std::isfinite(l.y) || !std::isfinite(l.dx) || !std::isfinite(l.dy)) std::abort();
        for (const auto& f : page.fills)
            for (const auto& pt : f.points)
                if (!std::isfinite(pt.x) || !std::isfinite(pt.y)) std::abort();
    }
    return 0;
}
