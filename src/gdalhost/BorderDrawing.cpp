#include "gdalhost/BorderDrawing.h"

#include "gdalhost/DgnFile.h"

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <cstdio>
#include <initializer_list>
#include <utility>

namespace mardex::dgn {

namespace {

struct Pen {
    int color = 0;
    int weight = 0;
};

class BorderWriter {
public:
    BorderWriter(OGRLayer& layer, const Units& units) : layer_(layer), units_(units) {}

    bool Line(std::initializer_list<std::pair<double, double>> points, Pen pen)
    {
        OGRLineString line;
        for (const auto& [x, y] : points) line.addPoint(x, y);
        ShiftGeometry(line, 0, 0, units_);
        return Add(line, pen, nullptr);
    }

    bool Box(double x0, double y0, double x1, double y1, Pen pen)
    {
        return Line({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}}, pen);
    }

    bool Text(double x, double y, const std::string& text, double size, Pen pen)
    {
        OGRPoint point(x, y);
        ShiftGeometry(point, 0, 0, units_);
        const std::string style = LabelStyle(text, size);
        return Add(point, pen, style.c_str());
    }

private:
    bool Add(const OGRGeometry& geometry, Pen pen, const char* style)
    {
        OGRFeature* f = OGRFeature::CreateFeature(layer_.GetLayerDefn());
        f->SetGeometry(&geometry);
        f->SetField("Level", 1);
        f->SetField("ColorIndex", pen.color);
        f->SetField("Weight", pen.weight);
        if (style) f->SetStyleString(style);
        const bool ok = layer_.CreateFeature(f) == OGRERR_NONE;
        OGRFeature::DestroyFeature(f);
        return ok;
    }

    OGRLayer& layer_;
    Units units_;
};

bool DrawFrame(BorderWriter& w)
{
    const Pen frame{0, 3}, thin{0, 0}, title{0, 1};
    const double W = BorderWidth, H = BorderHeight;
    bool ok = w.Box(0, 0, W, H, frame);              // the outer frame: its corner is the lowest point
    ok = ok && w.Box(40, 40, W - 40, H - 40, thin);  // inner frame
    // The title block in the upper right corner, around the project and
    // control numbers that the program writes on each sheet.
    const double bx = 2895, by = 2015, top = H - 40;
    ok = ok && w.Box(bx, by, W - 40, top, thin);
    ok = ok && w.Line({{bx, 2050}, {W - 40, 2050}}, thin);
    ok = ok && w.Line({{bx, 2080}, {W - 40, 2080}}, thin);
    ok = ok && w.Line({{bx, 2250}, {W - 40, 2250}}, thin);
    ok = ok && w.Text(bx + 10, 2057, "PROJ.", 7, thin);
    ok = ok && w.Text(bx + 10, 2034, "CTRL.", 7, thin);
    ok = ok && w.Text(bx + 10, 2180, "EARTHWORK", 14, title);
    ok = ok && w.Text(bx + 10, 2150, "STICK-UP SHEET", 14, title);
    ok = ok && w.Text(bx + 10, 2100, "MARDEX", 10, thin);
    ok = ok && w.Text(bx + 10, 2300, "SHEET", 10, thin);
    // The divider between the two tables.
    ok = ok && w.Line({{1642.5, 300}, {1642.5, 2060}}, thin);
    return ok;
}

} // namespace

bool DrawBorderFile(const std::string& path, const std::string& seed, std::string& error)
{
    GDALAllRegister();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("DGN");
    if (!driver) {
        error = "GDAL has no DGN driver";
        return false;
    }
    const auto units = ReadUnits(seed);
    if (!units) {
        error = "seed file " + seed + " is not a design file";
        return false;
    }
    std::remove(path.c_str());
    char** options = CSLSetNameValue(nullptr, "SEED", seed.c_str());
    GDALDataset* ds = driver->Create(path.c_str(), 0, 0, 0, GDT_Unknown, options);
    CSLDestroy(options);
    if (!ds) {
        error = "cannot create " + path + ": " + LastGdalError();
        return false;
    }
    OGRLayer* layer = ds->CreateLayer("elements", nullptr, wkbUnknown, nullptr);
    bool ok = layer != nullptr;
    if (ok) {
        BorderWriter writer(*layer, *units);
        ok = DrawFrame(writer);
    }
    if (!ok) error = "cannot draw into " + path + ": " + LastGdalError();
    GDALClose(ds);
    if (!ok) std::remove(path.c_str());
    return ok;
}

} // namespace mardex::dgn
