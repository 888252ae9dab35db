#pragma once
// The end of a report text being written: room is made at the end of the
// string ahead of the lines, which are written straight into it, so that a
// finished line is never copied again. The string holds only what was
// written once the cursor is closed (or destroyed).
#include <algorithm>
#include <string>
#include <string_view>

namespace mardex {

// Where a long report goes while it is written, in pieces, so that the text
// held in memory stays small (and its pages are used again and again).
class ReportDrain {
public:
    explicit ReportDrain(std::size_t piece) : pieceSize(piece) {}
    // The next piece of the report: whole lines.
    virtual void Take(std::string_view lines) = 0;
    const std::size_t pieceSize;  // text held before it is handed on

protected:
    ~ReportDrain() = default;
};

class ReportCursor {
public:
    ReportCursor(std::string& out, std::size_t expected) : out_(out), used_(out.size())
    {
        if (used_ + expected > out_.capacity()) out_.reserve(std::max(used_ + expected, 2 * out_.capacity()));
    }
    ~ReportCursor() { Close(); }
    ReportCursor(const ReportCursor&) = delete;
    ReportCursor& operator=(const ReportCursor&) = delete;

    // Where the next bytes go, with room for `n` of them.
    char* Room(std::size_t n)
    {
        // Made in small steps: the string fills what it adds.
        if (out_.size() - used_ < n) out_.resize(used_ + n + Step);
        return out_.data() + used_;
    }
    // What was written up to `end` (a pointer from the last Room) is kept.
    void Advance(const char* end) { used_ = static_cast<std::size_t>(end - out_.data()); }
    void Append(std::string_view text)
    {
        char* to = Room(text.size());
        text.copy(to, text.size());
        used_ += text.size();
    }
    void Close() { out_.resize(used_); }
    // With whole lines written: the whole text, from the start of the
    // string, is handed on once it passes the drain's piece. The string
    // keeps its size, so the room is used again without being filled anew.
    void DrainAbove(ReportDrain& drain)
    {
        if (used_ < drain.pieceSize) return;
        drain.Take(std::string_view(out_.data(), used_));
        used_ = 0;
    }

private:
    static constexpr std::size_t Step = 1024;
    std::string& out_;
    std::size_t used_;
};

} // namespace mardex
