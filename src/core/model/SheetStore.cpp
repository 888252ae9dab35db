#include "model/SheetStore.h"

#include "text/NumberText.h"

#include <stdexcept>

namespace mardex {

namespace {
const std::string EmptyCell;
}

const std::string& Sheet::Cell(int column, int row) const
{
    if (column < 0 || column >= ColumnCount || row < 0) return EmptyCell;
    const auto& col = Cells[column];
    return row < static_cast<int>(col.size()) ? col[row] : EmptyCell;
}

void Sheet::SetCell(int column, int row, std::string text)
{
    const double value = StationToNumber(text);
    SetCell(column, row, std::move(text), value);
}

void Sheet::SetCell(int column, int row, std::string text, double value)
{
    if (column < 0 || column >= ColumnCount)
        throw std::out_of_range("Subscript out of range");
    if (row < 0 || row >= RowSlots)
        throw std::out_of_range("Subscript out of range");
    Put(column, row, std::move(text), value);
}

void Sheet::SetRow(int row, const std::array<std::string_view, ColumnCount>& texts,
                   const std::array<double, ColumnCount>& values)
{
    if (row < 0 || row >= RowSlots) throw std::out_of_range("Subscript out of range");
    for (int c = 0; c < ColumnCount; ++c) {
        auto& col = Cells[c];
        // Rows arrive in order: the text is built in its slot, reserved once.
        if (row == static_cast<int>(col.size()) && row < static_cast<int>(col.capacity()) && !texts[c].empty()) {
            col.emplace_back(texts[c]);
            Values[c].push_back(values[c]);
        } else {
            Put(c, row, std::string(texts[c]), values[c]);
        }
    }
}

void Sheet::Put(int column, int row, std::string&& text, double value)
{
    auto& col = Cells[column];
    auto& values = Values[column];
    const int size = static_cast<int>(col.size());
    if (row < size) {
        col[row] = std::move(text);
        values[row] = value;
        return;
    }
    if (text.empty()) return;
    // Rows arrive one by one: take all the slots at once rather than
    // moving every text at each doubling.
    if (col.capacity() == 0) {
        col.reserve(RowSlots);
        values.reserve(RowSlots);
    }
    col.resize(row);
    values.resize(row);
    col.push_back(std::move(text));
    values.push_back(value);
}

int Sheet::EndRow() const
{
    const auto& stations = Cells[ColStation];
    for (int r = 0; r < static_cast<int>(stations.size()); ++r)
        if (stations[r] == EndMarker) return r;
    return RowSlots;
}

Sheet& SheetStore::operator[](int index)
{
    if (index < 0 || index >= MaxSheets) throw std::out_of_range("Subscript out of range");
    return Sheets[index];
}

const Sheet& SheetStore::operator[](int index) const
{
    if (index < 0 || index >= MaxSheets) throw std::out_of_range("Subscript out of range");
    return Sheets[index];
}

std::string NormaliseCode(std::string_view typed)
{
    const std::string upper = ToUpper(typed);
    for (const char* code : {"AH", "BK", "FB", "SA", "-"})
        if (upper.find(code) != std::string::npos) return code;
    return {};
}

bool StoredFormOfCell(int column, std::string_view text, std::string& stored)
{
    if (column == ColCode) {
        stored = NormaliseCode(text);
        return !stored.empty();
    }
    if (Trim(text) == ".") return false;
    if (column == ColStation) {
        stored = FormatStation(StationToNumber(text));
        return true;
    }
    if (column >= ColCut && column <= ColAddedFill) {
        stored = FormatArea(StationToNumber(text));
        return true;
    }
    return false;
}

} // namespace mardex
