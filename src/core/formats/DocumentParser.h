#pragma once
// The line rules of the sheet document reader, shared by Open and Import.
// The parser writes into copies of the sheets it touches and into its own
// header values; nothing reaches the open document until the caller takes
// them, so a document that turns out to be malformed leaves it as it was.
#include "formats/RowFields.h"
#include "model/SheetStore.h"
#include "model/UnitSystem.h"
#include "text/TextLines.h"

#include <array>
#include <iosfwd>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace mardex {

// A malformed document: the description names the file and the line.
struct DocumentFault : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A document that must not be imported into the open one; the description
// is the whole message.
struct ImportRefused : DocumentFault {
    using DocumentFault::DocumentFault;
};

enum class ParseMode { Open, Import };

// What the parser builds on: the open document's counters and sheets (an
// empty store for a document read on its own), and who answers its questions.
struct ParserStart {
    UnitSystem units = UnitSystem::English;
    int16_t sheetCount = 1;
    int16_t currentSheet = 0;   // Open: where reading starts; Import: the last sheet
    bool legacyLayout = false;  // "[VERSION 97.1]": rows of five fields
    // Import: the open document's unit system is settled (its unit caption
    // is shown), so sheets of the other system are refused.
    bool unitsSettled = false;
    // Open: each sheet goes to the host's SheetComplete as soon as the
    // document is done with it, and the next sheet is read into the same
    // memory, so one sheet is held at a time (Sheets() then holds none).
    bool sheetBySheet = false;
};

class ParserHost {
public:
    virtual ~ParserHost() = default;
    // The sheet as the open document holds it (the parser copies it before
    // writing into it).
    virtual const Sheet& Existing(int index) const = 0;
    // Import: a sheet named like an existing one; the name to give it.
    virtual std::string OtherTabName(std::string name) = 0;
    // A message that does not stop the reading.
    virtual void Message(const std::string& text) = 0;
    // Sheet by sheet: sheet `index` is complete (its end marker and name
    // written); it is reused for the next sheet once this returns.
    virtual void SheetComplete(int /*index*/, Sheet& /*sheet*/) {}
};

// Feeds every line of `in` to `parser`, then the end of the file. Throws
// DocumentFault naming the file and the line.
class DocumentParser;
void FeedDocument(DocumentParser& parser, std::istream& in, const std::string& name);

class DocumentParser {
public:
    DocumentParser(ParserHost& host, const ParserStart& start, ParseMode mode, std::string path);

    // One line (without its line end), its 1-based number in the file and
    // its LineMarks (text/TextLines.h). false once "[LAST RECORD]" has been
    // read. Throws DocumentFault.
    // (Inline: a row, most lines of a document, costs no call more.)
    bool Line(std::string_view line, long long number, unsigned marks)
    {
        number_ = number;
        if (finished_) return false;
        if (marks == MarkPlus && !inHeader_ && !expectFactor_ && line.front() != '[') {
            // The same as OtherLine's branches give a row.
            RowLine(line);
            ++lineCounter_;
            return true;
        }
        return OtherLine(line, marks);
    }
    // The end of the file (a document without "[LAST RECORD]" closes its
    // last sheet here).
    void End();

    // What was read: the sheets touched (null for the others), the counters,
    // the unit system and, for Open, the descriptions (a line not read is empty).
    std::array<std::unique_ptr<Sheet>, MaxSheets>& Sheets() { return sheets_; }
    UnitSystem Units() const { return unitSystem_; }
    int16_t SheetCount() const { return sheetCount_; }
    int16_t CurrentSheet() const { return currentSheet_ < 0 ? 0 : currentSheet_; }
    std::array<std::string, 3> Descriptions() const;
    // A sheet measured in embankment was read (the window greys the factor box).
    bool EmbankmentRead() const { return embankmentRead_; }
    bool LegacyLayout() const { return legacy_; }

    int LineCounter() const { return lineCounter_; }

private:
    // The sheet being written (a copy made on its first line).
    Sheet& Target(int index)
    {
        if (static_cast<unsigned>(index) < MaxSheets && sheets_[index]) return *sheets_[index];
        return NewTarget(index);
    }
    Sheet& NewTarget(int index);
    [[noreturn]] void Fail(const std::string& what) const;
    bool OtherLine(std::string_view line, unsigned marks);
    bool HeaderLine(std::string_view line);
    void Bracket(std::string_view line);
    void AreaLine(std::string_view text);
    void CloseSheet();
    void RowLine(std::string_view line);
    void RefuseNonFinite(const RowTexts& row) const;
    void NumberLine(double value);
    bool SheetReady() const { return mode_ == ParseMode::Open || importOpened_; }
    void RefuseOtherUnits() const;

    ParserHost& host_;
    bool legacy_;
    bool sheetBySheet_;
    ParseMode mode_;
    std::string path_;
    long long number_ = 0;

    std::array<std::unique_ptr<Sheet>, MaxSheets> sheets_;
    std::unique_ptr<Sheet> spare_;  // sheet by sheet: the memory of the sheet handed over
    UnitSystem unitSystem_;
    UnitSystem openUnits_;
    bool openUnitsSettled_;
    int16_t sheetCount_;
    int16_t currentSheet_;
    std::array<std::string, 3> descriptions_;
    std::array<bool, 3> descriptionRead_{};
    bool embankmentRead_ = false;

    RowTexts rowTexts_;  // the row line being stored (kept for its texts' memory)
    int lineCounter_ = 0;
    int sectionCounter_ = 0;
    int rowIndex_ = 0;
    int rowsRead_ = 0;
    std::string pendingName_;
    bool sheetOpen_ = false;     // an area line has opened the current sheet
    bool importOpened_ = false;  // Import: the current sheet is one of the new ones
    bool expectFactor_ = false;  // the previous line was "#BALANCE FACTOR"
    int descriptionsTaken_ = 0;
    bool inHeader_ = true;
    bool finished_ = false;
};

} // namespace mardex
