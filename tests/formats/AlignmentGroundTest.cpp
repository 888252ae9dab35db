// The plan geometry of an alignment and a ground line sampled from a TIN.
#include "formats/AlignmentGeometry.h"
#include "formats/LandXmlReader.h"
#include "formats/TinSurface.h"
#include "text/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

using namespace mardex;

namespace {

constexpr double Pi = std::numbers::pi;

TEST(AlignmentGeometry, PointsAndDirectionsAlongLinesArcsAndSpirals)
{
    const double r = 10, q = std::sqrt(0.5);
    AlignmentGeometry line, left, right, spiral;
    line.AddLine({0, 0}, {30, 40});
    left.AddCurve({10, 0}, {0, 0}, {0, 10}, false);
    right.AddCurve({10, 0}, {0, 0}, {0, -10}, true);
    // A clothoid from a tangent (east) into a left curve of radius 200 over 50.
    const double length = 50, radius = 200, a2 = radius * length;
    spiral.AddSpiral({0, 0}, {100, 0}, length, INFINITY, radius, false);
    // The clothoid's series: x = s - s^5/(40 A^4) + s^9/(3456 A^8) - ...,
    // y = s^3/(6 A^2) - s^7/(336 A^6) + s^11/(42240 A^10) - ...
    auto seriesX = [&](double s) { return s - std::pow(s, 5) / (40 * a2 * a2) + std::pow(s, 9) / (3456 * std::pow(a2, 4)); };
    auto seriesY = [&](double s) {
        return std::pow(s, 3) / (6 * a2) - std::pow(s, 7) / (336 * std::pow(a2, 3)) + std::pow(s, 11) / (42240 * std::pow(a2, 5));
    };
    struct Case {
        const char* what;
        const AlignmentGeometry& plan;
        double distance;
        PlanPoint at, ahead;
    } cases[] = {
        {"halfway along a line", line, 25, {15, 20}, {0.6, 0.8}},
        {"the end of a line", line, 50, {30, 40}, {0.6, 0.8}},
        {"an arc turning left", left, r * Pi / 4, {r * q, r * q}, {-q, q}},
        {"an arc turning right", right, r * Pi / 4, {r * q, -r * q}, {-q, -q}},
        {"a clothoid halfway", spiral, 25, {seriesX(25), seriesY(25)}, {std::cos(25.0 * 25 / (2 * a2)), std::sin(25.0 * 25 / (2 * a2))}},
        {"a clothoid's end", spiral, 50, {seriesX(50), seriesY(50)}, {std::cos(50.0 * 50 / (2 * a2)), std::sin(50.0 * 50 / (2 * a2))}},
    };
    for (const Case& c : cases) {
        const auto frame = c.plan.At(c.distance);
        ASSERT_TRUE(frame) << c.what;
        EXPECT_NEAR(frame->at.x, c.at.x, 1e-7) << c.what;
        EXPECT_NEAR(frame->at.y, c.at.y, 1e-7) << c.what;
        EXPECT_NEAR(frame->ahead.x, c.ahead.x, 1e-9) << c.what;
        EXPECT_NEAR(frame->ahead.y, c.ahead.y, 1e-9) << c.what;
    }
    EXPECT_NEAR(left.Length(), r * Pi / 2, 1e-12);
    EXPECT_FALSE(line.At(50.1));
    EXPECT_FALSE(line.At(-0.1));
    // Offsets are to the right of the direction of increasing stations.
    const PlanPoint right2 = line.At(0)->Offset(5);
    EXPECT_NEAR(right2.x, 4, 1e-12);
    EXPECT_NEAR(right2.y, -3, 1e-12);
}

// A plane z = 100 + 0.02 x - 0.03 y over [0, 100] x [0, 100], triangulated
// from a jittered grid.
TinSurface PlaneTin(double (*plane)(double, double))
{
    std::vector<TinPoint> points;
    std::vector<std::uint32_t> triangles;
    const int n = 11;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const bool inner = i > 0 && j > 0 && i < n - 1 && j < n - 1;
            const double x = 10.0 * i + (inner ? std::sin(i * 7.0 + j) * 3 : 0);
            const double y = 10.0 * j + (inner ? std::cos(i * 3.0 - j) * 3 : 0);
            points.push_back({x, y, plane(x, y)});
        }
    for (int j = 0; j + 1 < n; ++j)
        for (int i = 0; i + 1 < n; ++i) {
            const std::uint32_t a = j * n + i, b = a + 1, c = a + n, d = c + 1;
            triangles.insert(triangles.end(), {a, b, d, a, d, c});
        }
    return TinSurface(std::move(points), triangles);
}

double Plane(double x, double y) { return 100 + 0.02 * x - 0.03 * y; }

TEST(TinSurface, APlaneGivesThePlanesLineExactly)
{
    const TinSurface tin = PlaneTin(Plane);
    struct Case {
        PlanPoint from, to;
        bool inside;
    } cases[] = {
        {{5, 5}, {95, 90}, true},     {{50, 1}, {50, 99}, true},  {{0, 0}, {100, 100}, true},
        {{33.3, 20}, {34.1, 20.5}, true}, {{-1, 50}, {20, 50}, false}, {{90, 90}, {100, 101}, false},
    };
    for (const Case& c : cases) {
        const auto line = tin.Along(c.from, c.to, -7, 13);
        ASSERT_EQ(line.has_value(), c.inside) << c.from.x << " " << c.from.y;
        if (!c.inside) continue;
        ASSERT_GE(line->size(), 2u);
        EXPECT_EQ(line->front().offset, -7);
        EXPECT_EQ(line->back().offset, 13);
        for (std::size_t k = 0; k < line->size(); ++k) {
            const double t = ((*line)[k].offset + 7) / 20;
            EXPECT_NEAR((*line)[k].elevation, Plane(c.from.x + t * (c.to.x - c.from.x), c.from.y + t * (c.to.y - c.from.y)), 1e-9);
            if (k > 0) {
                EXPECT_GT((*line)[k].offset, (*line)[k - 1].offset);
            }
        }
    }
}

// A file whose sections carry only the design line; the ground is a plane
// TIN sampled along a line and an arc, past a station equation.
TEST(ReadLandXml, GroundFromATinAlongTheAlignment)
{
    std::string pnts, faces;
    const int n = 41;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const double x = 5 * i, y = 5 * j;  // easting, northing
            pnts += "<P id=\"" + std::to_string(j * n + i + 1) + "\">" + std::to_string(y) + " " + std::to_string(x) +
                    " " + std::to_string(Plane(x, y)) + "</P>";
        }
    for (int j = 0; j + 1 < n; ++j)
        for (int i = 0; i + 1 < n; ++i) {
            const int a = j * n + i + 1, b = a + 1, c = a + n, d = c + 1;
            faces += "<F>" + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(d) + "</F><F>" +
                     std::to_string(a) + " " + std::to_string(d) + " " + std::to_string(c) + "</F>";
        }
    // East from (20, 100) for 60, then a left arc of radius 50 around (80, 150).
    const std::string geometry = "<CoordGeom><Line><Start>100 20</Start><End>100 80</End></Line>"
                                 "<Curve rot=\"ccw\"><Start>100 80</Start><Center>150 80</Center><End>150 130</End></Curve></CoordGeom>"
                                 "<StaEquation staInternal=\"1050\" staBack=\"1050\" staAhead=\"2000\"/>";
    auto section = [](double sta) {
        return "<CrossSect sta=\"" + std::to_string(sta) + "\"><DesignCrossSectSurf name=\"FG\"><PntList2D>-6 90 6 90"
               "</PntList2D></DesignCrossSectSurf></CrossSect>";
    };
    const std::string file = "<LandXML><Units><Metric/></Units><Surfaces><Surface name=\"Survey\"><Definition surfType=\"TIN\"><Pnts>" +
                             pnts + "</Pnts><Faces>" + faces + "</Faces></Definition></Surface></Surfaces><Alignments>"
                             "<Alignment name=\"M\" staStart=\"1000\">" + geometry + "<CrossSects>" + section(1030) +
                             section(1080) + section(1300) + "</CrossSects></Alignment></Alignments></LandXML>";
    const auto read = ReadLandXml(file, "tin.xml", SurfaceChoice{"Survey", "FG"});
    ASSERT_TRUE(read) << read.fault.Message();
    // The plane's mean over a section is its height at the centreline: the
    // cut is 12 times (height - 90). On the arc, 20 past its start, the
    // centreline is at angle 20/50 from the start's radius.
    const double angle = 20.0 / 50;
    const double arcX = 80 + 50 * std::sin(angle), arcY = 150 - 50 * std::cos(angle);
    const ImportedSheet& sheet = read.document->sheets.at(0);
    ASSERT_EQ(sheet.rows.size(), 4u);
    EXPECT_EQ(sheet.rows[0][2], FormatArea(12 * (Plane(50, 100) - 90)));
    EXPECT_EQ(sheet.rows[3][0], "20+30.000");
    EXPECT_EQ(sheet.rows[3][2], FormatArea(12 * (Plane(arcX, arcY) - 90)));
    ASSERT_EQ(read.skipped.size(), 1u);
    EXPECT_NE(read.skipped[0].find("beyond the alignment"), std::string::npos) << read.skipped[0];
}

} // namespace
