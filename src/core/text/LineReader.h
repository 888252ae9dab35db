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
        bool any = false;
        for (;;) {
            if (pos_ == end_ && !Fill()) {
                if (any) ++number_;
                return any;
            }
            any = true;
            if (skipLf_) {
                skipLf_ = false;
                if (buffer_[pos_] == '\n') {
                    ++pos_;
                    any = !line.empty();
                    continue;
                }
            }
            std::size_t stop = pos_;
            while (stop < end_ && buffer_[stop] != '\r' && buffer_[stop] != '\n') ++stop;
            line.append(buffer_ + pos_, stop - pos_);
            if (stop == end_) {
                pos_ = end_;
                continue;
            }
            // A CR may be followed by its LF in the next chunk.
            skipLf_ = buffer_[stop] == '\r';
            pos_ = stop + 1;
            ++number_;
            return true;
        }
    }

    // 1-based number of the line last returned.
    long long Number() const { return number_; }

private:
    bool Fill()
    {
        in_.read(buffer_, sizeof buffer_);
        end_ = static_cast<std::size_t>(in_.gcount());
        pos_ = 0;
        return end_ > 0;
    }

    std::istream& in_;
    char buffer_[65536];
    std::size_t pos_ = 0, end_ = 0;
    bool skipLf_ = false;
    long long number_ = 0;
};

} // namespace mardex
