#include "model/SheetStore.h"

#include "text/NumberText.h"

#include <algorithm>
#include <stdexcept>

namespace mardex {

namespace {
// Longest row line copied in one piece (a written row line is about 70
// characters).
constexpr std::size_t MaxRowStretch = 160;
} // namespace

void Sheet::SetCell(int column, int row, std::string_view text)
{
    SetCell(column, row, text, StationToNumber(text));
}

void Sheet::SetCell(int column, int row, std::string_view text, double value)
{
    if (column < 0 || column >= ColumnCount)
        throw std::out_of_range("Subscript out of range");
    if (row < 0 || row >= RowSlots)
        throw std::out_of_range("Subscript out of range");
    Put(column, row, text, value);
    CompactIfWasteful();
}

void Sheet::SetRow(int row, const std::array<std::string_view, ColumnCount>& texts,
                   const std::array<double, ColumnCount>& values, std::string_view line)
{
    if (row < 0 || row >= RowSlots) throw std::out_of_range("Subscript out of range");
    Row made;
    made.values = values;
    // A row line the reader split is copied whole, blanks included, instead
    // of text by text: its texts are then places in the copy.
    const std::size_t lineSize = line.size();
    const bool wholeLine = lineSize <= MaxRowStretch;
    const auto lineAt = reinterpret_cast<std::uintptr_t>(line.data());
    const auto base = static_cast<std::uint32_t>(text_.size());
    std::size_t lineTextBytes = 0;
    bool allInLine = wholeLine;
#pragma GCC unroll 6
    for (int c = 0; c < ColumnCount; ++c) {
        const std::size_t size = texts[c].size();
        const std::size_t offset = reinterpret_cast<std::uintptr_t>(texts[c].data()) - lineAt;
        allInLine &= (size != 0) & (size <= lineSize) & (offset <= lineSize - size);
        made.spans[c] = {base + static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(size)};
        lineTextBytes += size;
    }
    if (wholeLine) text_.append(line);
    if (!allInLine) {
        // Texts of their own (masked ones), empty ones, or a line too long to copy whole.
        for (int c = 0; c < ColumnCount; ++c) {
            const std::size_t size = texts[c].size();
            const std::size_t offset = reinterpret_cast<std::uintptr_t>(texts[c].data()) - lineAt;
            if (wholeLine && size != 0 && size <= lineSize && offset <= lineSize - size) continue;
            lineTextBytes -= size;
            made.spans[c] = {size == 0 ? 0 : Append(texts[c]), static_cast<std::uint32_t>(size)};
        }
    }
    if (wholeLine) garbage_ += lineSize - lineTextBytes;  // the blanks around the texts
    if (row == RowsHeld() && rows_.size() < rows_.capacity()) {
        rows_.push_back(made);  // the reader's rows arrive in order
        return;
    }

    const bool empty = std::all_of(texts.begin(), texts.end(), [](std::string_view t) { return t.empty(); });
    if (row >= RowsHeld() && empty) return;  // nothing to keep, and no slot to take
    Row& target = RowFor(row);
    for (const Span& span : target.spans) garbage_ += span.size;
    target = made;
    CompactIfWasteful();
}

void Sheet::SetLineRow(int row, std::string_view line, const std::array<std::string_view, ColumnCount>& texts,
                       const std::array<double, ColumnCount>& values)
{
    // Rows read in order into reserved slots: the line is copied and the
    // texts' places in it kept, with nothing to check or replace.
    if (row != RowsHeld() || rows_.size() == rows_.capacity() || line.size() > MaxRowStretch) {
        SetRow(row, texts, values, line);
        return;
    }
    const auto base = static_cast<std::uint32_t>(text_.size());
    text_.append(line);
    Row& made = rows_.emplace_back();
    std::size_t textBytes = 0;
#pragma GCC unroll 6
    for (int c = 0; c < ColumnCount; ++c) {
        const auto offset = static_cast<std::uint32_t>(texts[c].data() - line.data());
        made.spans[c] = {base + offset, static_cast<std::uint32_t>(texts[c].size())};
        textBytes += texts[c].size();
    }
    made.values = values;
    garbage_ += line.size() - textBytes;  // the blanks around the texts
}

Sheet::Row& Sheet::RowFor(int row)
{
    const auto index = static_cast<std::size_t>(row);
    if (index >= rows_.size()) {
        // Rows arrive one by one: take all the slots at once.
        if (rows_.capacity() == 0) rows_.reserve(RowSlots);
        rows_.resize(index + 1);
    }
    return rows_[index];
}

std::uint32_t Sheet::Append(std::string_view text)
{
    const auto offset = static_cast<std::uint32_t>(text_.size());
    text_.append(text);  // it may be one of the sheet's own texts
    return offset;
}

void Sheet::Put(int column, int row, std::string_view text, double value)
{
    if (row >= RowsHeld() && text.empty()) return;
    Row& target = RowFor(row);
    Span& span = target.spans[column];
    garbage_ += span.size;
    span.offset = text.empty() ? 0 : Append(text);
    span.size = static_cast<std::uint32_t>(text.size());
    target.values[column] = value;
}

void Sheet::CompactIfWasteful()
{
    // Edits append and leave the old bytes behind: a day of typing must not
    // grow the sheet without bound, nor should every edit copy it. A sheet
    // just read is about half blanks between its texts: that is left alone.
    if (garbage_ < 4096 || garbage_ <= 2 * (text_.size() - garbage_)) return;
    TextBuffer kept;
    kept.reserve(text_.size() - garbage_);
    for (Row& row : rows_)
        for (Span& span : row.spans) {
            if (span.size == 0) continue;
            const auto offset = static_cast<std::uint32_t>(kept.size());
            kept.append(std::string_view(text_.data() + span.offset, span.size));
            span.offset = offset;
        }
    text_.swap(kept);
    garbage_ = 0;
}

void Sheet::ClearRows()
{
    rows_.clear();
    text_ = TextBuffer();
    garbage_ = 0;
    SetCell(ColStation, 0, EndMarker);
}

int Sheet::EndRow() const
{
    for (int r = 0; r < RowsHeld(); ++r)
        if (IsEndMarker(r)) return r;
    return RowSlots;
}

bool operator==(const Sheet& a, const Sheet& b)
{
    if (a.TabName != b.TabName || a.MeasuredInEmbankment != b.MeasuredInEmbankment ||
        a.BalanceFactor != b.BalanceFactor)
        return false;
    const int rows = std::max(a.RowsHeld(), b.RowsHeld());
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < ColumnCount; ++c)
            if (a.Cell(c, r) != b.Cell(c, r)) return false;
    return true;
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
