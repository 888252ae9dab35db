#pragma once
// Reads text lines ended by CR LF, a lone CR or a lone LF; a last line
// without a line end counts.
#include <istream>
#include <string>

namespace mardex {

class LineReader {
public:
    explicit LineReader(std::istream& in) : in_(in) {}

    // The next line without its line end; false at the end of the input.
    bool Next(std::string& line)
    {
        line.clear();
        std::streambuf* buf = in_.rdbuf();
        if (buf == nullptr) return false;
        bool any = false;
        for (;;) {
            const auto ch = buf->sbumpc();
            if (ch == std::char_traits<char>::eof()) {
                if (any) ++number_;
                return any;
            }
            any = true;
            const char c = static_cast<char>(ch);
            if (c == '\n') break;
            if (c == '\r') {
                if (buf->sgetc() == '\n') buf->sbumpc();
                break;
            }
            line.push_back(c);
        }
        ++number_;
        return true;
    }

    // 1-based number of the line last returned.
    long long Number() const { return number_; }

private:
    std::istream& in_;
    long long number_ = 0;
};

} // namespace mardex
