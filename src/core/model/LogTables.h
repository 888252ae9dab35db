#pragma once
// The GEOPAK log tables of every tab. A log fills the tables of one sheet
// index; the records and their value lines are allocated only when written,
// so the tables cost nothing for tabs without a log and little for a large
// log (a record holds at most 11 lines of 10 texts).
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace mardex {

constexpr int LogValueLines = 11;  // Values[0..10]
constexpr int LogValueSlots = 10;  // Values[..][0..9]
constexpr int MaxLogEntries = 10000;       // entries 1..10000 (entry 0 collects stray rows)
constexpr int MaxLogAdjustments = 1000;
constexpr int MaxLogBalancePoints = 1000;
constexpr int LogSheets = 26;

struct LogRecord {
    int32_t HasAccumulated = 0;  // entry 0 of LogEntries only
    std::string Name;
    std::string Note;

    // Values[line][slot]; a slot never written reads as the empty text.
    const std::string& Value(int line, int slot) const;
    // Writes one slot; false (nothing stored) outside 0..10 / 0..9.
    bool SetValue(int line, int slot, std::string text);
    bool HasLine(int line) const { return line >= 0 && line < static_cast<int>(lines_.size()); }

private:
    std::vector<std::vector<std::string>> lines_;
};

// One table of records 0..Limit, grown on demand.
class LogTable {
public:
    explicit LogTable(int limit) : limit_(limit) {}
    int Limit() const { return limit_; }
    bool InRange(int index) const { return index >= 0 && index <= limit_; }
    // The record at index; an unwritten one reads as an empty record.
    // Throws std::out_of_range outside 0..Limit.
    const LogRecord& at(int index) const;
    // The record at index for writing, allocated with those before it.
    // Throws std::out_of_range outside 0..Limit.
    LogRecord& Write(int index);
    std::size_t Allocated() const { return records_.size(); }
    void Clear() { records_.clear(); records_.shrink_to_fit(); }

private:
    int limit_;
    std::vector<LogRecord> records_;
};

// The log read into one tab.
struct SheetLog {
    LogTable LogEntries{MaxLogEntries};
    LogTable LogAdjustments{MaxLogAdjustments};
    LogTable LogBalancePoints{MaxLogBalancePoints};
    LogRecord LogSummary;
    // This tab's own counts, so that the report of any tab uses its own log.
    int32_t EntryCount = 0;
    int32_t BalanceCount = 0;
    int32_t AdjustmentCount = 0;  // "ADJUSTMENT" blocks read
    int16_t UnitSystem = 0;
    std::string LogPath;  // the log read into this tab (its companion goes next to it)
    // The baseline this tab is named after: the log line's text after its
    // first colon, or the name the user gave instead.
    std::string BaselineName;

    bool HasAccumulated() const { return LogEntries.at(0).HasAccumulated == 1; }
    void Clear();
};

// The caption of a log's tab ("BASELINE: " and its baseline name).
std::string LogTabCaption(const std::string& baselineName);

struct LogTables {
    std::array<SheetLog, LogSheets> Sheets;

    // The counters of the log read last (32-bit: a log larger than the
    // tables must not wrap them).
    int32_t LogEntryCount = 0;
    int32_t LogLineNo = 0;
    int32_t LogBalanceCount = 0;

    // Throws std::out_of_range outside 0..25.
    SheetLog& operator[](int sheet);
    const SheetLog& operator[](int sheet) const;
};

} // namespace mardex
