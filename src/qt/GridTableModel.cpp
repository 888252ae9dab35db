#include "GridTableModel.h"

#include "QtText.h"

#include <algorithm>

using mardex::GridColumns;
using mardex::GridHeaderRows;

GridTableModel::GridTableModel(const mardex::GridModel& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), shown_(std::max(0, grid.Rows() - GridHeaderRows))
{
}

int GridTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shown_; }

int GridTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : GridColumns; }

QVariant GridTableModel::data(const QModelIndex& index, int role) const
{
    const int row = index.row() + GridHeaderRows;
    if (!index.isValid() || row >= grid_.Rows()) return {};
    if (role == Qt::DisplayRole) return FromCell(grid_.Text(row, index.column()));
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= GridColumns) return {};
    if (role == Qt::DisplayRole) {
        // The blank keeps the units line's height while the row is empty.
        const std::string& units = grid_.Text(1, section);
        return FromCell(grid_.Text(0, section)) + "\n" + (units.empty() ? QStringLiteral(" ") : FromCell(units));
    }
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
}

void GridTableModel::Apply(const mardex::GridModel::Changes& changes)
{
    const int want = std::max(0, grid_.Rows() - GridHeaderRows);
    if (changes.all) {
        beginResetModel();
        shown_ = want;
        endResetModel();
        emit headerDataChanged(Qt::Horizontal, 0, GridColumns - 1);
        return;
    }
    if (want > shown_) {
        beginInsertRows({}, shown_, want - 1);
        shown_ = want;
        endInsertRows();
    } else if (want < shown_) {
        beginRemoveRows({}, want, shown_ - 1);
        shown_ = want;
        endRemoveRows();
    }
    bool header = false;
    int top = shown_, bottom = -1, left = GridColumns, right = -1, count = 0;
    for (const auto& [row, col] : changes.cells) {
        if (row < GridHeaderRows) {
            header = true;
            continue;
        }
        const int r = row - GridHeaderRows;
        if (r >= shown_) continue;
        top = std::min(top, r);
        bottom = std::max(bottom, r);
        left = std::min(left, col);
        right = std::max(right, col);
        ++count;
    }
    if (header) emit headerDataChanged(Qt::Horizontal, 0, GridColumns - 1);
    if (count == 0) return;
    if (count <= 8) {
        for (const auto& [row, col] : changes.cells) {
            const int r = row - GridHeaderRows;
            if (r >= 0 && r < shown_) emit dataChanged(index(r, col), index(r, col), {Qt::DisplayRole});
        }
    } else {
        emit dataChanged(index(top, left), index(bottom, right), {Qt::DisplayRole});
    }
}
