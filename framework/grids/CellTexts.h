#pragma once
// The texts of a string grid's rows, kept without a heap string per cell.
//
// A row refers either to one row of a TCellTable (the texts of a file read
// at once, left where the file's bytes put them) or to a block of its own
// that holds the spans of its cells and their bytes together. A row that
// is written takes a block of its own; texts written later are added at
// the block's end, and the block is made anew, without the texts nobody
// uses any more, when it is full.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

#include "framework/rtl/Types.h"

// Where a cell's text lies among the bytes that hold it.
struct TCellSpan {
    uint32_t Offset = 0;
    uint32_t Size = 0;
};

// The texts of many rows in one string of bytes with one span per cell, in
// rows of `Cols()` spans. A span's offset counts from the start of the
// bytes; a table's texts never start at byte 0, so an offset of 0 marks a
// cell the table gives no text (an empty text of its own has an offset).
// Rows of a grid refer to a table until they are written; it goes with
// the last of them. A row's spans hold nothing defined until ClearRow;
// several threads may clear and fill distinct rows, and read the bytes,
// at once.
class TCellTable {
public:
    // The largest number of bytes a table can address.
    static constexpr size_t kMaxBytes = UINT32_MAX;

    TCellTable(String&& bytes, size_t rows, size_t cols);
    ~TCellTable();
    TCellTable(const TCellTable&) = delete;
    TCellTable& operator=(const TCellTable&) = delete;

    size_t Rows() const { return FRows; }
    size_t Cols() const { return FCols; }
    const String& Bytes() const { return FBytes; }
    char* MutableBytes() { return FBytes.data(); }
    TCellSpan* RowSpans(size_t row) { return FSpans + row * FCols; }
    // Every cell of the row without a text.
    void ClearRow(size_t row) {
        TCellSpan* s = RowSpans(row);
        for (size_t c = 0; c < FCols; ++c) s[c] = TCellSpan();
    }
    const TCellSpan* RowSpans(size_t row) const { return FSpans + row * FCols; }
    std::string_view Text(const TCellSpan& s) const { return {FBytes.data() + s.Offset, s.Size}; }
    // Rows that took the table through TRowCells::ReferUncounted.
    void AddUsers(size_t n) { FUsers += n; }

    // A load holds its table this way while it fills it; rows hold it the
    // same way. The grid's thread only.
    class TRef {
    public:
        TRef() = default;
        explicit TRef(TCellTable* t) : FTable(t) {
            if (FTable) ++FTable->FUsers;
        }
        TRef(const TRef& o) : TRef(o.FTable) {}
        TRef(TRef&& o) noexcept : FTable(o.FTable) { o.FTable = nullptr; }
        TRef& operator=(TRef o) noexcept {
            std::swap(FTable, o.FTable);
            return *this;
        }
        ~TRef() {
            if (FTable && --FTable->FUsers == 0) delete FTable;
        }
        TCellTable* get() const { return FTable; }
        // Takes `t` without counting (see TRowCells::ReferUncounted);
        // held nothing before.
        void Adopt(TCellTable* t) { FTable = t; }
        TCellTable* operator->() const { return FTable; }
        explicit operator bool() const { return FTable != nullptr; }

    private:
        TCellTable* FTable = nullptr;
    };

private:
    String FBytes;
    TCellSpan* FSpans;
    size_t FRows, FCols;
    size_t FUsers = 0;
};

// The texts of one row: cells from 0 to Count() - 1 hold texts, the rest
// are empty. Texts read stay valid until the row is next changed.
class TRowCells {
public:
    TRowCells() = default;
    TRowCells(const TRowCells& o);
    TRowCells(TRowCells&& o) noexcept;
    TRowCells& operator=(const TRowCells& o);
    TRowCells& operator=(TRowCells&& o) noexcept;
    ~TRowCells();

    size_t Count() const;
    std::string_view Text(size_t col) const {
        if (FBlock) return FBlock->Text(col);
        if (FTable && col < FTable->Cols()) return FTable->Text(FTable->RowSpans(FIndex)[col]);
        return {};
    }
    // No cell holds a text, and nothing is kept for the row.
    bool Empty() const { return !FTable && !FBlock; }

    // Cell `col` takes `text` (which may be one of the row's own texts);
    // a row that grows takes `count` cells, which is more than `col`.
    void Set(size_t col, std::string_view text, size_t count);
    // Every cell empty.
    void Clear();
    // The first `count` cells kept, the others gone.
    void Truncate(size_t count);
    // `n` empty cells at `at`, the cells from there on moved up: the row
    // takes `count` cells (at least its count before plus n).
    void InsertEmpty(size_t at, size_t n, size_t count);
    // Cells [at, at + n) gone, the later ones moved down.
    void Erase(size_t at, size_t n);
    // Cell `from` moved to `to`, the cells between shifted by one; the
    // row takes `count` cells (more than both).
    void Move(size_t from, size_t to, size_t count);

    // The row refers to row `index` of `table` instead of what it held.
    void Refer(const TCellTable::TRef& table, size_t index);
    // Refer for a row that holds nothing, for a load filling many rows
    // on several threads: the table does not count the row until
    // TCellTable::AddUsers is told.
    void ReferUncounted(TCellTable* table, size_t index) {
        FTable.Adopt(table);
        FIndex = static_cast<uint32_t>(index);
    }
    bool RefersTo(const TCellTable* table, size_t index) const { return FTable.get() == table && FIndex == index; }

private:
    // A row's own texts: this header, then Count spans, then Capacity
    // bytes of which the first Used are taken.
    struct TBlock {
        uint32_t Count;
        uint32_t Used;
        uint32_t Capacity;

        TCellSpan* Spans() { return reinterpret_cast<TCellSpan*>(this + 1); }
        const TCellSpan* Spans() const { return reinterpret_cast<const TCellSpan*>(this + 1); }
        char* Bytes() { return reinterpret_cast<char*>(Spans() + Count); }
        const char* Bytes() const { return reinterpret_cast<const char*>(Spans() + Count); }
        std::string_view Text(size_t col) const {
            if (col >= Count) return {};
            const TCellSpan& s = Spans()[col];
            return {Bytes() + s.Offset, s.Size};
        }
        static TBlock* Make(size_t count, size_t capacity);
        TBlock* Copy() const;
    };
    // A new block of `count` cells whose texts are text(i) for each i,
    // with room for `extra` more bytes; the old texts may be among them.
    template <class F>
    void Remake(size_t count, size_t extra, F&& text);

    TCellTable::TRef FTable;
    uint32_t FIndex = 0;
    TBlock* FBlock = nullptr;
};
