#include "transfer/core/CoreString.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>

namespace {
constexpr std::ptrdiff_t MaxSize = std::numeric_limits<std::ptrdiff_t>::max() / 4;

std::ptrdiff_t TextLength(const char* text, std::ptrdiff_t n) {
    return n < 0 ? static_cast<std::ptrdiff_t>(std::strlen(text)) : n;
}
}  // namespace

void CoreString::Release() noexcept {
    if (FText != FInline) std::free(FText);
    FText = FInline;
}

void CoreString::Clear() noexcept {
    Release();
    FLength = 0;
    FCapacity = InlineSize;
    FInline[0] = 0;
}

int CoreString::Grow(std::ptrdiff_t capacity, std::ptrdiff_t keep) noexcept {
    if (capacity <= 0 || capacity > MaxSize) return -1;
    auto* block = static_cast<char*>(std::malloc(static_cast<std::size_t>(capacity)));
    if (!block) return -1;
    std::memcpy(block, FText, static_cast<std::size_t>(keep));
    Release();
    FText = block;
    FCapacity = capacity;
    return 0;
}

int CoreString::SetLength(std::ptrdiff_t n) noexcept {
    if (n < 0) n = 0;
    if (n >= FCapacity) {
        if (n >= MaxSize) return -1;
        if (Grow(n + 1, FLength) != 0) return -1;
    }
    FLength = n;
    FText[n] = 0;
    return 0;
}

int CoreString::Assign(const char* text, std::ptrdiff_t n) noexcept {
    if (!text) {
        Clear();
        return 0;
    }
    n = TextLength(text, n);
    // The source may lie inside this very text; SetLength would free it.
    if (text >= FText && text < FText + FCapacity) {
        std::memmove(FText, text, static_cast<std::size_t>(n));
        FLength = n;
        FText[n] = 0;
        return 0;
    }
    if (SetLength(n) != 0) return -1;
    std::memcpy(FText, text, static_cast<std::size_t>(n));
    return 0;
}

int CoreString::Append(const char* text, std::ptrdiff_t n) noexcept {
    if (!text) return 0;
    n = TextLength(text, n);
    if (n == 0) return 0;
    const std::ptrdiff_t total = FLength + n;
    if (total >= FCapacity) {
        if (total >= MaxSize / 2) return -1;
        // Appending a piece of ourselves: the old block must outlive the copy.
        if (text >= FText && text < FText + FCapacity) {
            CoreString copy;
            if (copy.Assign(text, n) != 0) return -1;
            return Append(copy.Text(), n);
        }
        if (Grow(2 * total, FLength) != 0) return -1;
    }
    std::memmove(FText + FLength, text, static_cast<std::size_t>(n));
    FLength = total;
    FText[FLength] = 0;
    return 0;
}

int CoreString::Insert(std::ptrdiff_t position, const char* text, std::ptrdiff_t n) noexcept {
    if (!text) return 0;
    n = TextLength(text, n);
    if (position < 0) position = 0;
    if (position > FLength) position = FLength;
    CoreString copy;  // the text may be a piece of ourselves
    if (copy.Assign(text, n) != 0) return -1;
    const std::ptrdiff_t oldLength = FLength;
    if (Append(copy.Text(), n) != 0) return -1;
    std::memmove(FText + position + n, FText + position,
                 static_cast<std::size_t>(oldLength - position));
    std::memcpy(FText + position, copy.Text(), static_cast<std::size_t>(n));
    return 0;
}

void CoreString::SwapCopying(CoreString& other) noexcept {
    if (this == &other) return;
    char* const mine = IsInline() ? nullptr : FText;
    char* const theirs = other.IsInline() ? nullptr : other.FText;
    char tmp[InlineSize];
    if (!mine) std::memcpy(tmp, FInline, static_cast<std::size_t>(FLength) + 1);
    if (!theirs) std::memcpy(FInline, other.FInline, static_cast<std::size_t>(other.FLength) + 1);
    if (!mine) std::memcpy(other.FInline, tmp, static_cast<std::size_t>(FLength) + 1);
    FText = theirs ? theirs : FInline;
    other.FText = mine ? mine : other.FInline;
    std::swap(FLength, other.FLength);
    std::swap(FCapacity, other.FCapacity);
}

int CoreString::Reserve(std::ptrdiff_t n) noexcept {
    if (!IsInline() && FCapacity >= n) return 0;
    if (n <= FLength) n = FLength + 1;
    return Grow(n, FLength + 1);
}
