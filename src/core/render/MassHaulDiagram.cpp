#include "render/MassHaulDiagram.h"

#include "compute/HaulTable.h"
#include "render/HaulPlanDrawing.h"
#include "render/ReportSurface.h"
#include "text/NumberText.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace mardex {

namespace {

// Courier advances 0.6 em; a column is 1/12 inch, a row 1/6 inch.
double TextWidth(const std::string& text, double points) { return static_cast<double>(text.size()) * points * 0.1; }
double TextHeight(double points) { return points / 12.0; }

class Layout {
public:
    Layout(ReportSurface& s, const MassSheet& sheet, const HaulAnalysis& h) : s_(s), sheet_(sheet), h_(h)
    {
        width_ = s.PrintableWidthCells();
        height_ = s.PrintableHeightCells();
        left_ = 12;
        right_ = width_ - 3;
        top_ = 5;
        bottom_ = height_ - 10.5;
        xMax_ = h.curve.empty() ? 100 : std::max(h.curve.back().x, 1.0);
        double lo = 0, hi = 0;
        for (const MassPoint& p : h.curve) {
            lo = std::min(lo, p.y);
            hi = std::max(hi, p.y);
        }
        if (hi - lo <= 0) hi = 1;
        yStep_ = RoundTickStep(hi - lo, 8);
        yLo_ = std::floor(lo / yStep_) * yStep_;
        yHi_ = std::ceil(hi / yStep_) * yStep_;
        if (yHi_ - yLo_ <= 0) yHi_ = yLo_ + yStep_;
    }

    void Draw()
    {
        s_.SetFontName("courier");
        s_.SetTransparentText(true);
        TitleBlock();
        SkipAreas();
        Overhaul();
        Axes();
        Equations();
        Curve();
        FreeHaulLines();
        BalancePoints();
        WasteAndBorrow();
        Totals();
        DrawHaulPlan(s_, h_, {left_, right_, top_, bottom_, xMax_}, sheet_.metric);
    }

private:
    double X(double x) const { return left_ + x / xMax_ * (right_ - left_); }
    double Y(double y) const { return top_ + (yHi_ - y) / (yHi_ - yLo_) * (bottom_ - top_); }

    // Labels over the drawing get a white ground so that lines never cross them.
    void Text(double x, double y, const std::string& text, double points, bool bold = false, bool opaque = false)
    {
        s_.SetFontSize(points);
        s_.SetBold(bold);
        s_.SetTransparentText(!opaque);
        s_.SetPosition(x, y);
        s_.PrintText(text);
    }
    void Line(double x1, double y1, double x2, double y2, LineStyle style = LineStyle::Solid)
    {
        s_.DrawStyledLine(x1, y1, x2 - x1, y2 - y1, style);
    }

    const char* VolumeUnit() const { return sheet_.metric ? "cu.m" : "cu.yd."; }
    const char* LengthUnit() const { return sheet_.metric ? "m" : "ft"; }

    void TitleBlock()
    {
        Text(left_, 0.2, "MASS HAUL DIAGRAM   " + sheet_.tabName, 14, true);
        Text(left_, 1.6,
             "Designer: " + sheet_.designer + "    Project No.: " + sheet_.projectNo +
                 "    Control No.: " + sheet_.controlNo,
             9);
        std::string haul = "Free haul: ";
        if (h_.options.FreeHaulGiven()) {
            haul += FormatArea(h_.options.freeHaul) + " " + LengthUnit();
            if (h_.options.price)
                haul += "    Overhaul price: " + FormatArea(*h_.options.price) + " per " + VolumeUnit() + " sta";
        } else {
            haul += "none given";
        }
        Text(left_, 2.6, haul, 9);
        Text(width_ - 3 - TextWidth("Mass ordinate (" + std::string(VolumeUnit()) + ")", 8), 3.6,
             "Mass ordinate (" + std::string(VolumeUnit()) + ")", 8);
    }

    double StationAt(double x) const
    {
        const auto& c = h_.curve;
        if (c.empty()) return 0;
        for (std::size_t i = 1; i < c.size(); ++i)
            if (c[i].x >= x && c[i].x > c[i - 1].x) return StationOnSegment(c, i, x);
        return c.back().station;
    }

    void Axes()
    {
        Line(left_, top_, right_, top_);
        Line(left_, bottom_, right_, bottom_);
        Line(left_, top_, left_, bottom_);
        Line(right_, top_, right_, bottom_);
        for (double v = yLo_; v <= yHi_ + yStep_ / 2; v += yStep_) {
            const double y = Y(v);
            Line(left_ - 0.6, y, left_, y);
            // Round ticks: a step of 0.2 can add 0.30000000000000004.
            const std::string label = GeneralText(std::round(v / yStep_) * yStep_);
            Text(left_ - 0.9 - TextWidth(label, 7), y - TextHeight(7) / 2, label, 7);
        }
        Line(left_, Y(0), right_, Y(0));  // the zero line

        const double step = RoundTickStep(xMax_, std::max(2, static_cast<int>((right_ - left_) / 12)));
        for (double d = 0; d <= xMax_ + step / 1000; d += step) {
            const double x = X(d);
            Line(x, bottom_, x, bottom_ + 0.4);
            std::string label = FormatStation(StationAt(d));
            label = label.substr(0, label.find('.'));
            Text(x - TextWidth(label, 7) / 2, bottom_ + 0.5, label, 7);
        }
        const std::string caption = std::string("Station (distance along the alignment, ") + LengthUnit() + ")";
        Text((left_ + right_) / 2 - TextWidth(caption, 8) / 2, bottom_ + 1.7, caption, 8);
    }

    void Curve()
    {
        const auto& c = h_.curve;
        for (std::size_t i = 1; i < c.size(); ++i)
            Line(X(c[i - 1].x), Y(c[i - 1].y), X(c[i].x), Y(c[i].y), LineStyle::Bold);
    }

    // The distance of each row's (last) point.
    double RowX(int row) const
    {
        double x = 0;
        for (const MassPoint& p : h_.curve)
            if (p.row == row) x = p.x;
        return x;
    }

    void SkipAreas()
    {
        const auto& rows = sheet_.rows;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (!rows[i].skipOpens) continue;
            std::size_t j = i + 1;
            while (j < rows.size() && !rows[j].skipCloses) ++j;
            const double from = X(RowX(static_cast<int>(i)));
            const double to = j < rows.size() ? X(RowX(static_cast<int>(j))) : X(xMax_);
            s_.FillPolygon({{from, top_}, {to, top_}, {to, bottom_}, {from, bottom_}}, FillStyle::Hatch);
            if (to - from > TextWidth("SKIP AREA", 7)) Text(from + 0.3, top_ + 0.2, "SKIP AREA", 7, true);
        }
    }

    void Overhaul()
    {
        for (const HaulLine& loop : h_.lines) {
            if (loop.kind != HaulKind::Loop || !loop.freeHaul || loop.overhaulMoment <= 0) continue;
            const double level = loop.direction * loop.overhaulVolume;
            const double a = loop.freeFrom.x, b = loop.freeTo.x;
            std::vector<CellPoint> left{{X(loop.from.x), Y(0)}};
            for (const MassPoint& p : loop.points)
                if (p.x < a) left.push_back({X(p.x), Y(p.y)});
            left.push_back({X(a), Y(level)});
            left.push_back({X(a), Y(0)});
            std::vector<CellPoint> right{{X(b), Y(0)}, {X(b), Y(level)}};
            for (const MassPoint& p : loop.points)
                if (p.x > b) right.push_back({X(p.x), Y(p.y)});
            right.push_back({X(loop.to.x), Y(0)});
            s_.FillPolygon(left, FillStyle::Shade);
            s_.FillPolygon(right, FillStyle::Shade);
        }
    }

    void FreeHaulLines()
    {
        for (const HaulLine& loop : h_.lines) {
            if (loop.kind != HaulKind::Loop || !loop.freeHaul || loop.overhaulVolume <= 0) continue;
            const double y = Y(loop.direction * loop.overhaulVolume);
            Line(X(loop.freeFrom.x), y, X(loop.freeTo.x), y, LineStyle::Dashed);
            const std::string label = FormatArea(loop.freeTo.x - loop.freeFrom.x) + " " + LengthUnit();
            const double mid = (X(loop.freeFrom.x) + X(loop.freeTo.x)) / 2 - TextWidth(label, 7) / 2;
            Text(mid, loop.direction > 0 ? y - TextHeight(7) - 0.1 : y + 0.1, label, 7, false, true);
        }
    }

    // The sign of the curve just before (or after) distance x; 0 where it
    // runs along zero.
    int SignAround(double x, bool before) const
    {
        for (const HaulLine& l : h_.lines)
            if ((l.kind == HaulKind::Loop || l.kind == HaulKind::Open) && (before ? l.to.x : l.from.x) == x)
                return l.direction;
        return 0;
    }

    void BalancePoints()
    {
        double aboveEnd = -1e9, belowEnd = -1e9;
        for (std::size_t i = 0; i < h_.zeroPoints.size(); ++i) {
            const HaulPlace& z = h_.zeroPoints[i];
            if (i == 0 && z.x == 0) continue;  // the start of the curve
            const double x = X(z.x), y = Y(0);
            Line(x - 0.35, y - 0.2, x + 0.35, y + 0.2);
            Line(x - 0.35, y + 0.2, x + 0.35, y - 0.2);
            const double w = TextWidth(z.station, 7);
            // Above the zero line on the side the curve leaves free (below
            // when that would run into the label before it).
            int before = SignAround(z.x, true);
            if (before == 0) before = -SignAround(z.x, false);
            auto inside = [&](double at) { return std::clamp(at, left_ + 0.2, right_ - 0.2 - w); };
            const double aboveX = inside(before > 0 ? x + 0.4 : before < 0 ? x - 0.4 - w : x - w / 2);
            const double belowX = inside(before < 0 ? x + 0.4 : before > 0 ? x - 0.4 - w : x - w / 2);
            if (aboveX > aboveEnd) {
                Text(aboveX, y - 0.25 - TextHeight(7), z.station, 7, false, true);
                aboveEnd = aboveX + w + 0.5;
            } else if (belowX > belowEnd) {
                Text(belowX, y + 0.25, z.station, 7, false, true);
                belowEnd = belowX + w + 0.5;
            }
        }
    }

    void Equations()
    {
        for (std::size_t i = 0; i < sheet_.rows.size(); ++i) {
            if (!sheet_.rows[i].equationAhead) continue;
            const double x = X(RowX(static_cast<int>(i)));
            Line(x, top_, x, bottom_, LineStyle::Dashed);
            Text(x + 0.2, bottom_ - 0.2 - TextHeight(7), "EQ", 7, true, true);
        }
    }

    void WasteAndBorrow()
    {
        for (const HaulLine& l : h_.lines) {
            if (l.kind != HaulKind::Waste && l.kind != HaulKind::Borrow) continue;
            const bool waste = l.kind == HaulKind::Waste;
            const std::string label = std::string(waste ? "WASTE " : "BORROW ") + FormatArea(l.volume);
            double x = X(l.from.x) + 0.4;
            if (x + TextWidth(label, 7) > right_) x = X(l.from.x) - 0.4 - TextWidth(label, 7);
            const double y = Y(waste ? l.volume / 2 : -l.volume / 2) - TextHeight(7) / 2;
            Text(x, y, label, 7, true, true);
        }
    }

    void Totals()
    {
        const HaulLine& t = h_.total;
        double waste = 0, borrow = 0;
        int loops = 0;
        for (const HaulLine& l : h_.lines) {
            if (l.kind == HaulKind::Waste) waste += l.volume;
            if (l.kind == HaulKind::Borrow) borrow += l.volume;
            if (l.kind == HaulKind::Loop) ++loops;
        }
        const double top = height_ - 7.6;
        const std::string v = VolumeUnit();
        Text(left_, top, "TOTALS", 9, true);
        Text(left_, top + 1.0, "Loops: " + std::to_string(loops) + "    Volume hauled: " + FormatArea(t.volume) + " " + v +
                                   "    Haul moment: " + FormatArea(t.moment) + " " + v + " sta",
             8);
        std::string over = "Overhaul: ";
        if (h_.options.FreeHaulGiven()) {
            over += "volume " + FormatArea(t.overhaulVolume) + " " + v + "    moment " + FormatArea(t.overhaulMoment) + " " + v +
                    " sta";
            if (h_.options.price) over += "    cost " + FormatArea(t.overhaulCost);
        } else {
            over += "no free haul given";
        }
        Text(left_, top + 1.8, over, 8);
        Text(left_, top + 2.6, "Waste: " + FormatArea(waste) + " " + v + "    Borrow: " + FormatArea(borrow) + " " + v, 8);
        Text(left_, top + 3.8,
             "Heavy line: mass ordinate    Dashed: free-haul line    Grey: overhaul    Hatched: skip area", 7);
        Text(left_, top + 4.5, "x: balance point (station as the report prints it)    EQ: station equation", 7);
    }

    ReportSurface& s_;
    const MassSheet& sheet_;
    const HaulAnalysis& h_;
    double width_, height_, left_, right_, top_, bottom_;
    double xMax_, yLo_, yHi_, yStep_;
};

} // namespace

double RoundTickStep(double span, int wanted)
{
    if (!(span > 0) || wanted < 1) return 1;
    const double raw = span / wanted;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (raw <= m * power) return m * power;
    return 10 * power;
}

void DrawMassHaulDiagram(ReportSurface& surface, const MassSheet& sheet, const HaulAnalysis& haul)
{
    Layout(surface, sheet, haul).Draw();
}

} // namespace mardex
