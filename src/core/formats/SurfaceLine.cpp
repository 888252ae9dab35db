#include "formats/SurfaceLine.h"

#include "text/NumberText.h"

#include <algorithm>
#include <cmath>

namespace mardex {

namespace {

// Pieces written separately round a shared point separately.
constexpr double SameElevation = 0.001;

struct PiecePoint {
    SectionPoint point;
    std::size_t piece;
};

} // namespace

std::vector<SectionPoint> JoinSurfacePieces(std::vector<std::vector<SectionPoint>> pieces, std::string& problem)
{
    // The common case, one piece with offsets rising, is the line itself.
    if (pieces.size() == 1) {
        std::vector<SectionPoint>& piece = pieces[0];
        if (piece.size() > 1 && piece.front().offset > piece.back().offset) std::reverse(piece.begin(), piece.end());
        const auto rising = [](const SectionPoint& a, const SectionPoint& b) { return a.offset >= b.offset; };
        if (piece.size() >= 2 && std::adjacent_find(piece.begin(), piece.end(), rising) == piece.end()) return std::move(piece);
    }
    std::vector<PiecePoint> pooled;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        std::vector<SectionPoint>& piece = pieces[k];
        if (piece.size() > 1 && piece.front().offset > piece.back().offset) std::reverse(piece.begin(), piece.end());
        for (std::size_t i = 0; i < piece.size(); ++i) {
            if (i > 0 && piece[i].offset < piece[i - 1].offset) {
                problem = "its points go back and forth";
                return {};
            }
            pooled.push_back({piece[i], k});
        }
    }
    const auto byOffset = [](const PiecePoint& a, const PiecePoint& b) { return a.point.offset < b.point.offset; };
    // One piece, or pieces written left to right, are in order already.
    if (!std::is_sorted(pooled.begin(), pooled.end(), byOffset)) std::stable_sort(pooled.begin(), pooled.end(), byOffset);
    std::vector<SectionPoint> line;
    line.reserve(pooled.size());
    for (std::size_t i = 0; i < pooled.size();) {
        std::size_t end = i + 1;
        while (end < pooled.size() && pooled[end].point.offset == pooled[i].point.offset) ++end;
        bool onePiece = true, oneElevation = true;
        for (std::size_t j = i + 1; j < end; ++j) {
            onePiece = onePiece && pooled[j].piece == pooled[i].piece;
            oneElevation = oneElevation && std::abs(pooled[j].point.elevation - pooled[i].point.elevation) <= SameElevation;
        }
        if (oneElevation) {
            line.push_back(pooled[i].point);
        } else if (onePiece) {
            for (std::size_t j = i; j < end; ++j) line.push_back(pooled[j].point);
        } else {
            problem = "a vertical face at offset " + GeneralText(pooled[i].point.offset);
            return {};
        }
        i = end;
    }
    if (line.size() < 2 || line.front().offset == line.back().offset) {
        problem = "fewer than two points";
        return {};
    }
    return line;
}

} // namespace mardex
