#include "framework/grids/CellTexts.h"


#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <vector>

TCellTable::TCellTable(String&& bytes, size_t rows, size_t cols)
    : FBytes(std::move(bytes)), FSpans(nullptr), FRows(rows), FCols(cols) {
    if (FBytes.size() > kMaxBytes) throw std::length_error("Cell table too large");
    // Not zeroed here: ClearRow zeroes a row when a load first meets it,
    // on whichever thread does.
    FSpans = static_cast<TCellSpan*>(std::malloc(std::max<size_t>(rows * cols, 1) * sizeof(TCellSpan)));
    if (!FSpans) throw std::bad_alloc();
}

TCellTable::~TCellTable() { std::free(FSpans); }

TRowCells::TBlock* TRowCells::TBlock::Make(size_t count, size_t capacity) {
    if (count > UINT32_MAX || capacity > UINT32_MAX) throw std::length_error("Row of cells too large");
    void* p = std::malloc(sizeof(TBlock) + count * sizeof(TCellSpan) + capacity);
    if (!p) throw std::bad_alloc();
    auto* b = static_cast<TBlock*>(p);
    b->Count = static_cast<uint32_t>(count);
    b->Used = 0;
    b->Capacity = static_cast<uint32_t>(capacity);
    return b;
}

TRowCells::TBlock* TRowCells::TBlock::Copy() const {
    TBlock* b = Make(Count, Used);
    std::memcpy(b->Spans(), Spans(), Count * sizeof(TCellSpan) + Used);
    b->Used = Used;
    return b;
}

TRowCells::TRowCells(const TRowCells& o)
    : FTable(o.FTable), FIndex(o.FIndex), FBlock(o.FBlock ? o.FBlock->Copy() : nullptr) {}

TRowCells::TRowCells(TRowCells&& o) noexcept
    : FTable(std::move(o.FTable)), FIndex(o.FIndex), FBlock(o.FBlock) {
    o.FBlock = nullptr;
}

TRowCells& TRowCells::operator=(const TRowCells& o) {
    if (this != &o) *this = TRowCells(o);
    return *this;
}

TRowCells& TRowCells::operator=(TRowCells&& o) noexcept {
    if (this != &o) {
        std::free(FBlock);
        FTable = std::move(o.FTable);
        FIndex = o.FIndex;
        FBlock = o.FBlock;
        o.FBlock = nullptr;
    }
    return *this;
}

TRowCells::~TRowCells() { std::free(FBlock); }

size_t TRowCells::Count() const {
    if (FBlock) return FBlock->Count;
    return FTable ? FTable->Cols() : 0;
}

template <class F>
void TRowCells::Remake(size_t count, size_t extra, F&& text) {
    size_t live = 0;
    for (size_t i = 0; i < count; ++i) live += text(i).size();
    // Room for later texts: as much again as half of what the row holds,
    // so a row written over and over is made anew now and then only.
    const size_t capacity = live + extra + live / 2 + 32;
    TBlock* b = TBlock::Make(count, capacity);
    TCellSpan* spans = b->Spans();
    char* bytes = b->Bytes();
    uint32_t used = 0;
    for (size_t i = 0; i < count; ++i) {
        const std::string_view t = text(i);
        if (!t.empty()) std::memcpy(bytes + used, t.data(), t.size());
        spans[i] = {used, static_cast<uint32_t>(t.size())};
        used += static_cast<uint32_t>(t.size());
    }
    b->Used = used;
    std::free(FBlock);
    FBlock = b;
    FTable = TCellTable::TRef();
    FIndex = 0;
}

void TRowCells::Set(size_t col, std::string_view text, size_t count) {
    if (Empty() && text.empty()) return;
    if (FBlock && col < FBlock->Count && FBlock->Capacity - FBlock->Used >= text.size()) {
        // The text may be one of the row's own: it lies below Used, where
        // nothing is written.
        if (!text.empty()) std::memcpy(FBlock->Bytes() + FBlock->Used, text.data(), text.size());
        FBlock->Spans()[col] = {FBlock->Used, static_cast<uint32_t>(text.size())};
        FBlock->Used += static_cast<uint32_t>(text.size());
        return;
    }
    if (col >= Count() && text.empty()) return;
    const size_t n = std::max({Count(), col + 1, count});
    Remake(n, text.size(), [&](size_t i) { return i == col ? text : Text(i); });
}

void TRowCells::Clear() {
    std::free(FBlock);
    FBlock = nullptr;
    FTable = TCellTable::TRef();
    FIndex = 0;
}

void TRowCells::Truncate(size_t count) {
    if (count >= Count()) return;
    if (FBlock) {
        // The spans after the kept ones go; the bytes stay where they are.
        const size_t shift = (FBlock->Count - count) * sizeof(TCellSpan);
        std::memmove(FBlock->Bytes() - shift, FBlock->Bytes(), FBlock->Used);
        FBlock->Capacity += static_cast<uint32_t>(shift);
        FBlock->Count = static_cast<uint32_t>(count);
        return;
    }
    Remake(count, 0, [&](size_t i) { return Text(i); });
}

void TRowCells::InsertEmpty(size_t at, size_t n, size_t count) {
    if (Empty() || at >= Count() || n == 0) return;
    const size_t total = std::max(Count() + n, count);
    Remake(total, 0, [&](size_t i) { return i < at ? Text(i) : i < at + n ? std::string_view() : Text(i - n); });
}

void TRowCells::Erase(size_t at, size_t n) {
    const size_t c = Count();
    if (Empty() || at >= c || n == 0) return;
    n = std::min(n, c - at);
    Remake(c - n, 0, [&](size_t i) { return i < at ? Text(i) : Text(i + n); });
}

void TRowCells::Move(size_t from, size_t to, size_t count) {
    if (Empty() || from == to) return;
    const size_t total = std::max({Count(), from + 1, to + 1, count});
    // Where each new cell's text comes from.
    std::vector<size_t> order(total);
    for (size_t i = 0; i < total; ++i) order[i] = i;
    const auto it = order.begin();
    if (from < to) std::rotate(it + from, it + from + 1, it + to + 1);
    else std::rotate(it + to, it + from, it + from + 1);
    Remake(total, 0, [&](size_t i) { return Text(order[i]); });
}

void TRowCells::Refer(const TCellTable::TRef& table, size_t index) {
    std::free(FBlock);
    FBlock = nullptr;
    FTable = table;
    FIndex = static_cast<uint32_t>(index);
}
