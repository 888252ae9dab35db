#include "app/GridModel.h"

#include <stdexcept>
#include <utility>

namespace mardex {

GridModel::GridModel() : rows_(GridHeaderRows + 1) {}

void GridModel::SetRows(int count)
{
    if (count < 1) count = 1;
    rows_.resize(count);
    if (row_ >= count) row_ = count - 1;
    editing_ = false;  // the grid is being refilled
    changes_.rows = true;
}

const std::string& GridModel::Text(int row, int col) const
{
    if (row < 0 || row >= Rows() || col < 0 || col >= GridColumns)
        throw std::out_of_range("Subscript out of range");
    return rows_[row][col];
}

void GridModel::SetText(int row, int col, std::string text)
{
    if (row < 0 || row >= Rows() || col < 0 || col >= GridColumns)
        throw std::out_of_range("Subscript out of range");
    if (rows_[row][col] == text) return;
    rows_[row][col] = std::move(text);
    if (!changes_.all) changes_.cells.emplace_back(row, col);
}

void GridModel::SetRow(int row)
{
    if (row < 0 || row >= Rows()) throw std::out_of_range("Invalid row value");
    row_ = row;
    changes_.current = true;
}

void GridModel::SetCol(int col)
{
    if (col < 0 || col >= GridColumns) throw std::out_of_range("Invalid column value");
    col_ = col;
    changes_.current = true;
}

void GridModel::BeginEdit(EditStart before)
{
    editing_ = true;
    editRow_ = row_;
    editCol_ = col_;
    editStart_ = std::move(before);
}

GridModel::Changes GridModel::TakeChanges()
{
    Changes out = std::move(changes_);
    changes_ = Changes{};
    return out;
}

} // namespace mardex
