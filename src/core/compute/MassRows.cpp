#include "compute/MassRows.h"

#include "text/NumberText.h"

#include <type_traits>

namespace mardex {

std::vector<MassRow> MassRowsOf(const SheetComputation& computed)
{
    std::vector<MassRow> rows;
    // Marks that belong to the next station row.
    bool skipOpens = false, skipCloses = false, equationAhead = false;
    for (const ComputedItem& item : computed.items) {
        std::visit(
            [&](const auto& v) {
                using T = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<T, SkipAreaMark>) {
                    (v.opening ? skipOpens : skipCloses) = true;
                } else if constexpr (std::is_same_v<T, StationEquation>) {
                    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
                        if (!it->balancePoint) {
                            it->equationBack = true;
                            break;
                        }
                    equationAhead = true;
                } else {
                    MassRow r;
                    // The curve runs through the stations as printed, so that
                    // it can be checked against the report.
                    r.stationText = PrintedStation(v);
                    r.station = StationToNumber(r.stationText);
                    r.ordinate = v.mass;
                    // A balance point's volumes are those up to the point.
                    r.cutVolume = v.cutVolume;
                    r.adjustedFill = v.adjustedFill;
                    if (v.kind == RowKind::BalancePoint) {
                        r.balancePoint = true;
                    } else {
                        r.forcedBalance = v.forcedBalance;
                        r.skipOpens = skipOpens;
                        r.skipCloses = skipCloses;
                        r.equationAhead = equationAhead;
                        skipOpens = skipCloses = equationAhead = false;
                    }
                    rows.push_back(std::move(r));
                }
            },
            item);
    }
    return rows;
}

} // namespace mardex
