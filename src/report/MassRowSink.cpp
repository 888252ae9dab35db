#include "report/MassRowSink.h"

#include "app/Guarded.h"
#include "app/Session.h"
#include "report/EarthworkComputation.h"
#include "sheet/NumberText.h"

namespace mardex {

void MassRowSink::BalancePoint(const std::string& text, double ordinate)
{
    MassRow r;
    r.balancePoint = true;
    // The curve runs through the stations as printed, so that it can be
    // checked against the report.
    r.station = StationToNumber(text);
    r.stationText = text;
    r.ordinate = ordinate;
    rows_.push_back(std::move(r));
}

void MassRowSink::StationRow(double station, double ordinate, bool forcedBalance, double cutVolume, double adjustedFill)
{
    MassRow r;
    r.stationText = FormatStation(station);
    r.station = StationToNumber(r.stationText);
    r.ordinate = ordinate;
    r.forcedBalance = forcedBalance;
    r.cutVolume = cutVolume;
    r.adjustedFill = adjustedFill;
    r.skipOpens = skipOpens_;
    r.skipCloses = skipCloses_;
    r.equationAhead = ahead_;
    skipOpens_ = skipCloses_ = ahead_ = false;
    rows_.push_back(std::move(r));
}

void MassRowSink::Equation()
{
    for (auto it = rows_.rbegin(); it != rows_.rend(); ++it)
        if (!it->balancePoint) {
            it->equationBack = true;
            break;
        }
    ahead_ = true;
}

bool ComputeMassSheet(Session& s, MassSheet& sheet)
{
    const ReportState before = s.report;
    const auto& tabs = s.form.Tabs;
    const int current = s.doc.CurrentSheet;
    sheet = MassSheet{};
    sheet.tabName = current >= 0 && current < static_cast<int>(tabs.size()) ? tabs[current] : s.store[current].TabName;
    sheet.designer = s.doc.DescriptionFields[0];
    sheet.projectNo = s.doc.DescriptionFields[1];
    sheet.controlNo = s.doc.DescriptionFields[2];
    sheet.metric = s.doc.UnitSystem == 1;
    s.report.AccumulatedMode = 0;
    std::string text;
    MassRowSink sink(sheet.rows);
    const bool built = Guarded(s.ask, "Program Error: ", " occured in CreateTempRptFile",
                               [&] { AppendSheetReport(s, text, &sink); });
    s.report = before;
    if (!built) sheet.rows.clear();
    return built;
}

} // namespace mardex
