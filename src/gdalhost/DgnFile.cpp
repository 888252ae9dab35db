#include "gdalhost/DgnFile.h"

#include <cpl_conv.h>
#include <cpl_error.h>
#include <ogr_geometry.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace mardex::dgn {

namespace {

// 32-bit integers are stored as two little-endian words, the high word first.
int32_t Int32(const unsigned char* p)
{
    const uint32_t v = uint32_t(p[2]) | (uint32_t(p[3]) << 8) | (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 24);
    return static_cast<int32_t>(v);
}

// Doubles are VAX D-floats in the same word order.
double VaxDouble(const unsigned char* s)
{
    uint32_t hi = uint32_t(s[2]) | (uint32_t(s[3]) << 8) | (uint32_t(s[0]) << 16) | (uint32_t(s[1]) << 24);
    uint32_t lo = uint32_t(s[6]) | (uint32_t(s[7]) << 8) | (uint32_t(s[4]) << 16) | (uint32_t(s[5]) << 24);
    const uint32_t sign = hi & 0x80000000u;
    uint32_t exponent = (hi >> 23) & 0xff;
    if (exponent) exponent = exponent - 129 + 1023;
    const uint32_t roundBits = lo & 7;
    lo = ((lo >> 3) & 0x1fffffff) | (hi << 29);
    if (roundBits) lo |= 1;
    hi = ((hi >> 3) & 0x000fffff) | (exponent << 20) | sign;
    const uint64_t bits = (uint64_t(hi) << 32) | lo;
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

std::string Number(double v)
{
    std::ostringstream out;
    out.precision(15);
    out << v;
    return out.str();
}

void ShiftCurve(OGRSimpleCurve& curve, double dx, double dy, const Units& u)
{
    for (int i = 0; i < curve.getNumPoints(); ++i) {
        const double x = AimAtUnitMiddle(curve.getX(i) + dx, u.scale, u.originX);
        const double y = AimAtUnitMiddle(curve.getY(i) + dy, u.scale, u.originY);
        if (curve.getCoordinateDimension() == 3)
            curve.setPoint(i, x, y, curve.getZ(i));
        else
            curve.setPoint(i, x, y);
    }
}

} // namespace

std::optional<Units> ReadUnits(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> b(1264);
    if (!in.read(reinterpret_cast<char*>(b.data()), static_cast<std::streamsize>(b.size()))) return std::nullopt;
    if ((b[1] & 0x7f) != 9) return std::nullopt;  // not a control block
    const int32_t uorPerSub = Int32(&b[1112]);
    const int32_t subPerMaster = Int32(&b[1116]);
    if (uorPerSub <= 0 || subPerMaster <= 0) return std::nullopt;
    Units u;
    u.scale = 1.0 / (double(uorPerSub) * double(subPerMaster));
    u.originX = VaxDouble(&b[1240]);
    u.originY = VaxDouble(&b[1248]);
    u.originZ = VaxDouble(&b[1256]);
    u.is3d = (b[1214] & 0x40) != 0;
    return u;
}

double AimAtUnitMiddle(double value, double scale, double origin)
{
    if (!(scale > 0)) return value;
    const double n = std::nearbyint(value / scale + origin);
    // Truncation goes toward zero: the middle lies on zero's far side.
    return (n + (n >= 0 ? 0.5 : -0.5) - origin) * scale;
}

std::string LabelStyle(const std::string& text, double size, const std::string& font, double angleDegrees)
{
    std::string t = "LABEL(t:\"";
    const std::string cut = text.substr(0, MaxTextLength);
    for (char c : cut) {
        if (c == '"' || c == '\\') t += '\\';
        t += c;
    }
    t += "\",s:" + Number(size) + "g";
    if (!font.empty()) t += ",f:\"" + font + "\"";
    if (angleDegrees != 0) t += ",a:" + Number(angleDegrees);
    return t + ")";
}

void ShiftGeometry(OGRGeometry& g, double dx, double dy, const Units& u)
{
    if (auto* point = dynamic_cast<OGRPoint*>(&g)) {
        point->setX(AimAtUnitMiddle(point->getX() + dx, u.scale, u.originX));
        point->setY(AimAtUnitMiddle(point->getY() + dy, u.scale, u.originY));
    } else if (auto* curve = dynamic_cast<OGRSimpleCurve*>(&g)) {
        ShiftCurve(*curve, dx, dy, u);
    } else if (auto* polygon = dynamic_cast<OGRCurvePolygon*>(&g)) {
        for (int i = 0; i < polygon->getNumInteriorRings() + 1; ++i) {
            OGRCurve* ring = i == 0 ? polygon->getExteriorRingCurve() : polygon->getInteriorRingCurve(i - 1);
            if (ring) ShiftGeometry(*ring, dx, dy, u);
        }
    } else if (auto* compound = dynamic_cast<OGRCompoundCurve*>(&g)) {
        for (int i = 0; i < compound->getNumCurves(); ++i) ShiftGeometry(*compound->getCurve(i), dx, dy, u);
    } else if (auto* collection = dynamic_cast<OGRGeometryCollection*>(&g)) {
        for (int i = 0; i < collection->getNumGeometries(); ++i) ShiftGeometry(*collection->getGeometryRef(i), dx, dy, u);
    }
}

std::string GdalSeedFile()
{
    if (const char* found = CPLFindFile("gdal", "seed_2d.dgn")) return found;
    for (const char* dir : {"/usr/share/gdal", "/usr/local/share/gdal"}) {
        const std::string path = std::string(dir) + "/seed_2d.dgn";
        std::error_code ec;
        if (std::filesystem::exists(path, ec)) return path;
    }
    return "/usr/share/gdal/seed_2d.dgn";
}

std::string LastGdalError()
{
    const char* msg = CPLGetLastErrorMsg();
    return msg && *msg ? msg : "unknown GDAL error";
}

} // namespace mardex::dgn
