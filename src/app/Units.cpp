#include "app/Units.h"

#include "app/Guarded.h"
#include "app/Session.h"

namespace mardex {

namespace {
constexpr const char* EnglishUnits[GridColumns] = {"..F+FF.FF", "", "Sq. ft.", "Cu. Yds.", "Sq. ft.", "Cu. Yds."};
constexpr const char* MetricUnits[GridColumns] = {"..M+MM.MM", "", "Sq. m.", "Cu. m.", "Sq. m.", "Cu. m."};
} // namespace

void UpDateUnits(Session& s)
{
    Guarded(s.ask, "Program Error: ", " occured in UpDateUnits", [&] {
        const auto& labels = s.doc.UnitSystem == 1 ? MetricUnits : EnglishUnits;
        for (int c = 0; c < GridColumns; ++c)
            if (c != 1) s.form.grid.SetText(1, c, labels[c]);
    });
}

void ClearUnits(Session& s)
{
    Guarded(s.ask, "Program Error: ", " occured in UpDateUnits", [&] {
        for (int c = 0; c < GridColumns; ++c)
            if (c != 1) s.form.grid.SetText(1, c, "");
    });
}

} // namespace mardex
