#pragma once
// Reading the lines of a grid's cell file. A file of 100,000 rows has
// about a million lines, and finding where each ends and whose row it is
// makes up most of a load: the walk below finds line ends 64 bytes at a
// time and hands them on in batches, and the common "col,row," prefix is
// read without a call.
#include <cstddef>
#include <cstdint>
#include <string_view>

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

// ---- the walk ------------------------------------------------------------------------------

namespace CellFileDetail {
// The line ends (CR) in [from, to), a multiple of 64 bytes long, as
// offsets from `from`, written to `stops`, which holds 4 more than
// (to - from) / 64 * 64 entries; returns how many.
size_t FindLineEnds(const char* data, size_t from, size_t to, uint32_t* stops);
}  // namespace CellFileDetail

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
