#pragma once
// The cores' growable 8-bit text. Short texts live in the object itself, so
// names, tokens and headers of ordinary size never touch the heap; longer
// ones double on growth, so building a text byte by byte stays linear.
// Every operation reports a failed allocation as -1 and leaves the text as
// it was: the cores turn that into their "Out of memory." result instead of
// throwing across their call interface.
#include <cstddef>
#include <utility>

class CoreString {
public:
    static constexpr std::ptrdiff_t InlineSize = 100;

    CoreString() noexcept { FInline[0] = 0; }
    ~CoreString() { Release(); }
    CoreString(const CoreString&) = delete;
    CoreString& operator=(const CoreString&) = delete;

    const char* Text() const noexcept { return FText; }
    std::ptrdiff_t Length() const noexcept { return FLength; }
    std::ptrdiff_t Capacity() const noexcept { return FCapacity; }
    bool Empty() const noexcept { return FLength == 0; }
    bool IsInline() const noexcept { return FText == FInline; }

    void Clear() noexcept;
    // Keeps the first n bytes (n < 0 counts as 0); the bytes past the old
    // length are left as they happen to be.
    int SetLength(std::ptrdiff_t n) noexcept;
    // A null text clears; n < 0 takes a zero-terminated text.
    int Assign(const char* text, std::ptrdiff_t n = -1) noexcept;
    int Append(const char* text, std::ptrdiff_t n = -1) noexcept;
    int Insert(std::ptrdiff_t position, const char* text, std::ptrdiff_t n = -1) noexcept;

    // The hot path of the parser: one byte with no call when it fits.
    int AppendChar(char c) noexcept {
        if (FLength + 1 < FCapacity) {
            FText[FLength++] = c;
            FText[FLength] = 0;
            return 0;
        }
        return Append(&c, 1);
    }
    // Exchanges the contents of two strings without allocating: handing a
    // buffer's text over to someone while the buffer takes new text. Two
    // outside texts (the parser's, once reserved) trade their blocks here.
    void Swap(CoreString& other) noexcept {
        if (IsInline() || other.IsInline()) {
            SwapCopying(other);
            return;
        }
        std::swap(FText, other.FText);
        std::swap(FLength, other.FLength);
        std::swap(FCapacity, other.FCapacity);
    }
    // Empties the text but keeps its block for the next one.
    void Truncate() noexcept {
        FLength = 0;
        FText[0] = 0;
    }
    // Moves the text to an outside block of at least n bytes, so that a
    // Swap with another outside text costs no copy. -1 when that fails.
    int Reserve(std::ptrdiff_t n) noexcept;
    // Drops the last byte, if any.
    void DropLast() noexcept {
        if (FLength > 0) FText[--FLength] = 0;
    }

private:
    void SwapCopying(CoreString& other) noexcept;
    void Release() noexcept;
    int Grow(std::ptrdiff_t capacity, std::ptrdiff_t keep) noexcept;

    char* FText = FInline;
    std::ptrdiff_t FLength = 0;
    std::ptrdiff_t FCapacity = InlineSize;
    char FInline[InlineSize];
};
