#include "compute/HaulTable.h"

#include "text/NumberText.h"

namespace mardex {

const char* HaulKindName(HaulKind kind)
{
    switch (kind) {
    case HaulKind::Loop: return "loop";
    case HaulKind::Open: return "open";
    case HaulKind::Waste: return "waste";
    case HaulKind::Borrow: return "borrow";
    case HaulKind::Total: return "total";
    }
    return "";
}

std::vector<std::string> HaulTableFields(const HaulAnalysis& h, const HaulLine& line)
{
    const bool stretch = line.kind == HaulKind::Loop || line.kind == HaulKind::Open;
    const bool total = line.kind == HaulKind::Total;
    const bool overhaul = h.options.FreeHaulGiven() && (line.kind == HaulKind::Loop || total);
    std::vector<std::string> f(12);
    f[0] = HaulKindName(line.kind);
    if (!total) {
        f[1] = line.from.station;
        f[2] = line.to.station;
    }
    if (stretch) f[3] = line.direction > 0 ? "ahead" : "back";
    f[4] = FormatArea(line.volume);
    if (stretch || total) f[5] = FormatArea(line.moment);
    if (stretch) f[6] = FormatArea(line.averageHaul);
    if (overhaul && !total) {
        f[7] = line.freeFrom.station;
        f[8] = line.freeTo.station;
    }
    if (overhaul) {
        f[9] = FormatArea(line.overhaulVolume);
        f[10] = FormatArea(line.overhaulMoment);
        if (h.options.price) f[11] = FormatArea(line.overhaulCost);
    }
    return f;
}

std::string HaulTableText(const HaulAnalysis& h, int* lines)
{
    std::string out = HaulTableHeader;
    out += '\n';
    auto add = [&](const HaulLine& line) {
        const auto fields = HaulTableFields(h, line);
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i) out += ',';
            out += fields[i];
        }
        out += '\n';
    };
    for (const HaulLine& line : h.lines) add(line);
    add(h.total);
    if (lines) *lines = static_cast<int>(h.lines.size()) + 1;
    return out;
}

} // namespace mardex
