#pragma once
// The line rules of the sheet document reader, shared by Open and Import.
// The parser writes into copies of the sheets it touches and into its own
// header values; nothing reaches the session until Commit(), so a document
// that turns out to be malformed leaves the open document as it was.
#include "model/SheetStore.h"

#include <array>
#include <iosfwd>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace mardex {

class Session;

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

// Feeds every line of `in` to a parser of the given mode and commits what it
// read. After a failure the store is untouched, the message (prefix, the
// failure, place) has been shown, and the result is false.
bool ParseDocument(Session& s, std::istream& in, const std::string& name, ParseMode mode,
                   const std::string& prefix, const std::string& place, int& lineCounter);

class DocumentParser {
public:
    DocumentParser(Session& s, ParseMode mode, std::string path);

    // One line (without its line end) and its 1-based number in the file.
    // false once "[LAST RECORD]" has been read. Throws DocumentFault.
    bool Line(std::string_view line, long long number);
    // The end of the file (a document without "[LAST RECORD]" closes its
    // last sheet here).
    void End();

    // Moves what was read into the session: sheets, counters, unit system,
    // descriptions (Open only) and the factor box of an embankment sheet.
    void Commit();

    int LineCounter() const { return lineCounter_; }

private:
    Sheet& Target(int index);
    [[noreturn]] void Fail(const std::string& what) const;
    bool HeaderLine(std::string_view line);
    void Bracket(std::string_view line);
    void AreaLine(std::string_view text);
    void CloseSheet();
    void RowLine(std::string_view line);
    void NumberLine(double value);
    bool SheetReady() const { return mode_ == ParseMode::Open || importOpened_; }
    std::string AskForOtherName(std::string name);
    void RefuseOtherUnits() const;

    Session& s_;
    ParseMode mode_;
    std::string path_;
    long long number_ = 0;

    std::array<std::unique_ptr<Sheet>, MaxSheets> sheets_;
    int16_t unitSystem_;
    int16_t sheetCount_;
    int16_t currentSheet_;
    std::array<std::string, 3> descriptions_;
    std::array<bool, 3> descriptionRead_{};
    bool embankmentRead_ = false;

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
