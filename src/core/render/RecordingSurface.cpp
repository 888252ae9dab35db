#include "render/RecordingSurface.h"

namespace mardex {

void RecordingSurface::DrawLine(double x, double y, double dx, double dy)
{
    pages.back().lines.push_back({x, y, dx, dy});
}

void RecordingSurface::DrawStyledLine(double x, double y, double dx, double dy, LineStyle style)
{
    pages.back().lines.push_back({x, y, dx, dy, style});
}

void RecordingSurface::FillPolygon(const std::vector<CellPoint>& points, FillStyle style)
{
    pages.back().fills.push_back({points, style});
}

void RecordingSurface::PrintText(const std::string& text)
{
    pages.back().texts.push_back({x_, y_, text, size_, bold_, transparent_});
    x_ = 0;
    y_ += 1;
}

void RecordingSurface::NewPage()
{
    if (!pages.back().Empty()) pages.emplace_back();
}

void RecordingSurface::Clear()
{
    ++clears;
    pages.back() = Page{};
}

std::vector<std::string> RecordingSurface::TextsOf(std::size_t page) const
{
    std::vector<std::string> out;
    for (const Text& t : pages.at(page).texts) out.push_back(t.text);
    return out;
}

const RecordingSurface::Text* RecordingSurface::TextAt(std::size_t page, double x, double y) const
{
    for (const Text& t : pages.at(page).texts)
        if (t.x == x && t.y == y) return &t;
    return nullptr;
}

} // namespace mardex
