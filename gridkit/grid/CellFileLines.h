#pragma once
// Reading the lines of a grid's cell file. A file of 100,000 rows has
// about a million lines, and finding where each ends and whose row it is
// makes up most of a load: the walk below finds line ends 64 bytes at a
// time and hands them on in batches, and the common "col,row," prefix is
// read without a call.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// The lines of a cell file between `begin` and `end`. They end at CR LF or
// a lone CR, and a bare LF belongs to a cell text; with `lfLines` (a file
// whose size line ends in a bare LF, written on a system with LF line ends)
// lines end at LF instead, a CR before it left out. `line(begin, end)` gets
// each line's text; the last line may go without an end.
template <class F>
void ForEachCellLine(const char* data, size_t begin, size_t end, bool lfLines, F&& line);

// A cell line's column and row, and where its text starts (its end when it
// has none): "col,row,text", the fields as CellFileNumber reads them. False
// for a line without a comma.
bool ParseCellLine(const char* data, size_t begin, size_t end, int& col, int& row, size_t& text);

// Whether a line gives a column width ("cw col,width").
inline bool IsWidthLine(const char* data, size_t begin, size_t end) {
    return end - begin >= 2 && data[begin] == 'c' && data[begin + 1] == 'w';
}

// ParseCellLine for a walk over many lines that may read up to 24 bytes
// past a line's start while they lie before `limit`. A row number read
// from the same digits as the line before is not read again: `state`
// remembers them.
struct TCellLineState {
    uint64_t RowKey = ~uint64_t{0};
    int Row = 0;
};
bool ParseCellLineFast(const char* data, size_t begin, size_t end, size_t limit, TCellLineState& state, int& col,
                       int& row, size_t& text);

// The lines of a cell file with CR LF line ends (as ForEachCellLine with
// lfLines false) that do not simply go on with the row of the line before.
// A line goes on with it when both are written "d,row," with a column d
// below `colLimit` (at most 10) and the same row digits, which is how the
// grid writes every line of a row after its first: then it is the same row
// and a column that exists, and the line is not handed on. Each other line
// goes to `change(begin, end, before)`, where `before` is the end of the
// line before it (`begin` for the first). Returns the end of the last line
// (`begin` when there is none). Most lines of a large file are the first
// kind, and telling them apart takes a few operations on the line's first
// eight bytes.
template <class F>
size_t ForEachCellRowChange(const char* data, size_t begin, size_t end, unsigned colLimit, F&& change);

// Gathers the rows of a cell file from its lines, handed on in file order
// by ForEachCellLine or ForEachCellRowChange (a line the latter leaves out
// belongs to the row of the line before). The cell lines of one row that
// follow each other make one run: `run(row, begin, end)` gets each run of a
// row below `rowCount` whose lines have columns below `colCount`;
// `width(begin, end)` gets each width line and `cell(row)` the row of each
// cell line handed on, whatever its column or row.
template <class Run, class Width, class Cell>
class TCellRowGather {
public:
    TCellRowGather(const char* data, size_t limit, int colCount, int rowCount, unsigned colLimit, Run run,
                   Width width, Cell cell)
        : FData(data), FLimit(limit), FColCount(colCount), FRowCount(rowCount), FColLimit(colLimit), FRun(run),
          FWidth(width), FCell(cell) {}

    // One line, [b, e); `before` is where the line before it ends.
    void Line(size_t b, size_t e, size_t before);
    // After the last line, which ends at `last`.
    void Finish(size_t last) {
        if (FMember) FRunEnd = last;
        if (FRunRow >= 0) FRun(FRunRow, FRunBegin, FRunEnd);
        FRunRow = -1;
        FMember = false;
    }

private:
    const char* FData;
    size_t FLimit;
    int FColCount, FRowCount;
    unsigned FColLimit;
    Run FRun;
    Width FWidth;
    Cell FCell;
    TCellLineState FState;
    int FRunRow = -1;
    size_t FRunBegin = 0, FRunEnd = 0;
    bool FMember = false;
};

// [begin, end) of a cell file with CR LF line ends cut into pieces of about
// `pieceBytes`, each but the last ending just after a line end: the
// offsets where they start, and `end`.
std::vector<size_t> CellFilePieces(const char* data, size_t begin, size_t end, size_t pieceBytes);

// A line at p that starts "d,row," with d below `colLimit` and the row in
// one to five digits (the form ForEachCellRowChange follows): its column
// and row, and where its text starts (from p), as ParseCellLine reads
// them. False for any other line; needs 8 readable bytes at p.
inline bool ReadPlainCellHead(const char* p, unsigned colLimit, int& col, int& row, size_t& text);

// ---- the walk ------------------------------------------------------------------------------

namespace CellFileDetail {
// The line ends (CR) in [from, to), a multiple of 64 bytes long, as
// offsets from `from`, written to `stops`, which holds 4 more than
// (to - from) / 64 * 64 entries; returns how many.
size_t FindLineEnds(const char* data, size_t from, size_t to, uint32_t* stops);

inline uint64_t Load8(const char* p) {
    uint64_t w;
    __builtin_memcpy(&w, p, 8);
    return w;
}

// For a line's first eight bytes `w`: the mask of the bytes from the
// first comma to the second when the line starts "d,row," (d below
// `colLimit`, one to five row digits), else 0.
inline uint64_t PlainHeadMask(uint64_t w, unsigned colLimit) {
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    const uint64_t t = w ^ (0x30 * kOnes);  // digits become 0..9
    // The top bit of each byte that is not a digit.
    const uint64_t other = (((t & (0x7F * kOnes)) + 0x76 * kOnes) | t) & (0x80 * kOnes);
    const unsigned second = static_cast<unsigned>(__builtin_ctzll((other & ~uint64_t{0xFFFF}) | (1ull << 63))) >> 3;
    const bool plain = static_cast<unsigned>(w & 0xFF) - 0x30u < colLimit && ((w >> 8) & 0xFF) == ',' &&
                       second >= 3 && ((w >> (8 * second)) & 0xFF) == ',';
    // Bytes 1 .. second; second <= 7 here.
    const uint64_t mask = (~uint64_t{0} >> (56 - 8 * second)) & ~uint64_t{0xFF};
    return plain ? mask : 0;
}
}  // namespace CellFileDetail

inline bool ReadPlainCellHead(const char* p, unsigned colLimit, int& col, int& row, size_t& text) {
    const uint64_t w = CellFileDetail::Load8(p);
    const uint64_t mask = CellFileDetail::PlainHeadMask(w, colLimit);
    if (!mask) return false;
    const unsigned second = static_cast<unsigned>(63 - __builtin_clzll(mask)) >> 3;
    const unsigned digits = second - 2;  // 1 .. 5
    // The digits' values, the first one highest, shifted so that the
    // missing leading digits are zeros; then summed in pairs, fours, eights.
    uint64_t v = ((w ^ 0x3030303030303030ull) >> 16) & (~uint64_t{0} >> (64 - 8 * digits));
    v <<= 8 * (8 - digits);
    v = (v * 10 + (v >> 8)) & 0x00FF00FF00FF00FFull;
    v = (v * (1 + (100ull << 16)) >> 16) & 0x0000FFFF0000FFFFull;
    v = (v * (1 + (10000ull << 32))) >> 32;
    col = static_cast<int>(w & 0xFF) - '0';
    row = static_cast<int>(v);
    text = second + 1;
    return true;
}

template <class F>
size_t ForEachCellRowChange(const char* data, size_t begin, size_t end, unsigned colLimit, F&& change) {
    using namespace CellFileDetail;
    size_t pos = begin, before = begin;
    // The first eight bytes of the last line handed on, the mask of its
    // ",row," and the column limit while it is a plain line (0 when not):
    // a line goes on with its row when it has the same bytes there and a
    // column digit below the limit. A few operations a line; the branch
    // is taken once a row.
    uint64_t rowWord = 0, rowMask = 0;
    unsigned rowLimit = 0;
    auto handOn = [&](size_t stop) {
        change(pos, stop, before);
        if (end - pos >= 8) {
            rowWord = Load8(data + pos);
            rowMask = PlainHeadMask(rowWord, colLimit);
            rowLimit = rowMask ? colLimit : 0;
        } else {
            rowLimit = 0;
        }
    };
    constexpr size_t kBlock = 64, kBatch = 16 * kBlock;
    uint32_t stops[kBatch + 4];
    size_t i = begin;
    while (end - i >= kBlock) {
        const size_t to = i + ((end - i < kBatch ? end - i : kBatch) / kBlock) * kBlock;
        const size_t count = FindLineEnds(data, i, to, stops);
        for (size_t k = 0; k < count; ++k) {
            const size_t stop = i + stops[k];
            bool goesOn = false;
            if (end - pos >= 8) {
                const uint64_t w = Load8(data + pos);
                goesOn = ((w ^ rowWord) & rowMask) == 0 && static_cast<unsigned>(w & 0xFF) - 0x30u < rowLimit;
            }
            if (!goesOn) handOn(stop);
            before = stop;
            pos = stop + 1;
            if (pos < end && data[pos] == '\n') ++pos;
        }
        i = to;
    }
    // The last lines, each on its own.
    while (pos < end) {
        const size_t from = pos > i ? pos : i;
        const char* found = static_cast<const char*>(__builtin_memchr(data + from, '\r', end - from));
        const size_t stop = found ? static_cast<size_t>(found - data) : end;
        change(pos, stop, before);
        before = stop;
        pos = stop + 1;
        if (pos < end && data[pos] == '\n') ++pos;
    }
    return before;
}

template <class F>
void ForEachCellLine(const char* data, size_t begin, size_t end, bool lfLines, F&& line) {
    size_t pos = begin;
    auto scan = [&](size_t from, char stopChar) {
        while (pos < end) {
            const size_t at = pos > from ? pos : from;
            size_t stop = end;
            if (const char* found = static_cast<const char*>(__builtin_memchr(data + at, stopChar, end - at)))
                stop = static_cast<size_t>(found - data);
            if (lfLines) {
                line(pos, stop > pos && data[stop - 1] == '\r' ? stop - 1 : stop);
                pos = stop + 1;
            } else {
                line(pos, stop);
                pos = stop + 1;
                if (pos < end && data[pos] == '\n') ++pos;
            }
        }
    };
    if (lfLines) {
        scan(pos, '\n');
        return;
    }
    constexpr size_t kBlock = 64, kBatch = 16 * kBlock;
    uint32_t stops[kBatch + 4];
    size_t i = begin;
    while (end - i >= kBlock) {
        const size_t to = i + ((end - i < kBatch ? end - i : kBatch) / kBlock) * kBlock;
        const size_t count = CellFileDetail::FindLineEnds(data, i, to, stops);
        for (size_t k = 0; k < count; ++k) {
            const size_t stop = i + stops[k];
            line(pos, stop);
            pos = stop + 1;
            if (pos < end && data[pos] == '\n') ++pos;
        }
        i = to;
    }
    scan(i, '\r');
}

template <class Run, class Width, class Cell>
void TCellRowGather<Run, Width, Cell>::Line(size_t b, size_t e, size_t before) {
    if (FMember) FRunEnd = before;
    FMember = false;
    int col, row;
    size_t text;
    if (FLimit - b >= 8 && ReadPlainCellHead(FData + b, FColLimit, col, row, text)) {
        // The form the grid writes, read at once.
    } else if (IsWidthLine(FData, b, e)) {
        FWidth(b, e);
        return;
    } else if (!ParseCellLineFast(FData, b, e, FLimit, FState, col, row, text)) {
        return;  // no cell line at all
    }
    if (col >= 0 && col < FColCount && row >= 0 && row < FRowCount) {
        if (row != FRunRow) {
            if (FRunRow >= 0) FRun(FRunRow, FRunBegin, FRunEnd);
            FRunRow = row;
            FRunBegin = b;
        }
        FRunEnd = e;
        FMember = true;
    }
    FCell(row);
}
