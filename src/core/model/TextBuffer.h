#pragma once
// The bytes of a sheet's cell texts, one after another. A reader appends a
// whole row line for every row of a document: the copy is made here, sixteen
// bytes at a time, without a library call per line.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

namespace mardex {

class TextBuffer {
public:
    TextBuffer() = default;
    TextBuffer(const TextBuffer& other) { *this = other; }
    TextBuffer(TextBuffer&& other) noexcept { swap(other); }
    // Keeps its memory when it is large enough: a sheet read after another
    // fills the same pages.
    TextBuffer& operator=(const TextBuffer& other)
    {
        if (this == &other) return *this;
        size_ = 0;
        reserve(other.size_);
        if (other.size_ != 0) std::memcpy(bytes_.get(), other.bytes_.get(), other.size_);
        size_ = other.size_;
        return *this;
    }
    TextBuffer& operator=(TextBuffer&& other) noexcept
    {
        TextBuffer(std::move(other)).swap(*this);
        return *this;
    }

    const char* data() const { return bytes_.get(); }
    std::size_t size() const { return size_; }

    void swap(TextBuffer& other) noexcept
    {
        std::swap(bytes_, other.bytes_);
        std::swap(size_, other.size_);
        std::swap(capacity_, other.capacity_);
    }

    void reserve(std::size_t capacity)
    {
        if (capacity <= capacity_) return;
        auto bytes = std::make_unique_for_overwrite<char[]>(capacity);
        if (size_ != 0) std::memcpy(bytes.get(), bytes_.get(), size_);
        bytes_ = std::move(bytes);
        capacity_ = capacity;
    }

    // `text` may be one of the buffer's own texts.
    void append(std::string_view text)
    {
        const std::size_t n = text.size();
        if (capacity_ - size_ < n) {
            const auto at = static_cast<std::size_t>(reinterpret_cast<std::uintptr_t>(text.data()) -
                                                     reinterpret_cast<std::uintptr_t>(bytes_.get()));
            const bool own = at < size_;
            reserve(std::max(2 * capacity_, std::max<std::size_t>(size_ + n, 4096)));
            if (own) text = std::string_view(bytes_.get() + at, n);
        }
        char* to = bytes_.get() + size_;
        const char* from = text.data();
        if (n >= 16) {
            // Whole pieces, then the last sixteen bytes (overlapping the piece
            // before); a row line is 64 bytes and a few.
            std::size_t i = 0;
            if (n >= 64) {
                std::memcpy(to, from, 64);
                i = 64;
            }
            for (; i + 16 <= n; i += 16) std::memcpy(to + i, from + i, 16);
            std::memcpy(to + n - 16, from + n - 16, 16);
        } else if (n != 0) {
            std::memcpy(to, from, n);
        }
        size_ += n;
    }

private:
    std::unique_ptr<char[]> bytes_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

} // namespace mardex
