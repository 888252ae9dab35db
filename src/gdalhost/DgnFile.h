#pragma once
// Small facts about DGN (v7) files that GDAL's driver keeps to itself: the
// file's working units and global origin, how a text's style is written,
// and moving an element's points.
#include <optional>
#include <string>

class OGRGeometry;

namespace mardex::dgn {

// Master units per unit of resolution, and the global origin in units of
// resolution, as the file's control block holds them.
struct Units {
    double scale = 1;
    double originX = 0, originY = 0, originZ = 0;
    bool is3d = false;
};

// The units of a design file; nullopt when its first element is no control block.
std::optional<Units> ReadUnits(const std::string& path);

// GDAL truncates a coordinate to the unit of resolution; this gives the
// coordinate in the middle of the unit nearest to `value`, so that the file
// holds the nearest position.
double AimAtUnitMiddle(double value, double scale, double origin);

// A text element may hold at most this many characters.
inline constexpr std::size_t MaxTextLength = 255;

// LABEL(t:"text",s:<size>g[,f:"font"][,a:<angle>]) with " and \ escaped.
std::string LabelStyle(const std::string& text, double size, const std::string& font = {}, double angleDegrees = 0);

// Moves every point of the geometry by (dx, dy), each coordinate aimed at
// its unit's middle.
void ShiftGeometry(OGRGeometry& geometry, double dx, double dy, const Units& units);

// GDAL's own two-dimensional seed file (seed_2d.dgn in its data folder).
std::string GdalSeedFile();

// The text drivers and tools show for the last GDAL failure.
std::string LastGdalError();

} // namespace mardex::dgn
