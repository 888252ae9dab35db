#include "model/LogTables.h"

#include <algorithm>
#include <stdexcept>

namespace mardex {

namespace {
const std::string EmptyText;
const LogRecord EmptyRecord;
} // namespace

const std::string& LogRecord::Value(int line, int slot) const
{
    if (line < 0 || line >= static_cast<int>(lines_.size())) return EmptyText;
    const auto& slots = lines_[line];
    if (slot < 0 || slot >= static_cast<int>(slots.size())) return EmptyText;
    return slots[slot];
}

bool LogRecord::SetValue(int line, int slot, std::string text)
{
    if (line < 0 || line >= LogValueLines || slot < 0 || slot >= LogValueSlots) return false;
    if (line >= static_cast<int>(lines_.size())) lines_.resize(line + 1);
    auto& slots = lines_[line];
    if (slot >= static_cast<int>(slots.size())) slots.resize(slot + 1);
    slots[slot] = std::move(text);
    return true;
}

const LogRecord& LogTable::at(int index) const
{
    if (!InRange(index)) throw std::out_of_range("Subscript out of range");
    if (index >= static_cast<int>(records_.size())) return EmptyRecord;
    return records_[index];
}

LogRecord& LogTable::Write(int index)
{
    if (!InRange(index)) throw std::out_of_range("Subscript out of range");
    if (index >= static_cast<int>(records_.size())) {
        // Logs are read in order: grow geometrically, never beyond the limit.
        if (records_.capacity() <= static_cast<std::size_t>(index)) {
            const std::size_t want = std::max<std::size_t>(64, records_.capacity() * 2);
            records_.reserve(std::min<std::size_t>(want, static_cast<std::size_t>(limit_) + 1));
        }
        records_.resize(index + 1);
    }
    return records_[index];
}

void SheetLog::Clear()
{
    LogEntries.Clear();
    LogAdjustments.Clear();
    LogBalancePoints.Clear();
    LogSummary = LogRecord{};
    EntryCount = BalanceCount = AdjustmentCount = 0;
    UnitSystem = 0;
    LogPath.clear();
    BaselineName.clear();
}

std::string LogTabCaption(const std::string& baselineName) { return "BASELINE: " + baselineName; }

SheetLog& LogTables::operator[](int sheet)
{
    if (sheet < 0 || sheet >= LogSheets) throw std::out_of_range("Subscript out of range");
    return Sheets[sheet];
}

const SheetLog& LogTables::operator[](int sheet) const
{
    if (sheet < 0 || sheet >= LogSheets) throw std::out_of_range("Subscript out of range");
    return Sheets[sheet];
}

} // namespace mardex
