#pragma once
// What the workbook reader program and the framework share: a workbook held
// whole in memory, and the bytes that carry it from the reader through a
// pipe. Per sheet its name and cells, each a row, a column, a kind and a
// number or a text, after the active sheet's index and the number of
// sheets.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/system/Workbook.h"

namespace workbook {

// Past this many cells, or this many bytes of text in a sheet, a workbook
// is refused rather than read: a small file can repeat one cell over the
// whole sheet.
inline constexpr size_t MaxCells = 20'000'000;
inline constexpr size_t MaxTextBytes = size_t(512) << 20;

// A cell in 24 bytes: its texts live in the sheet's pool.
struct TCell {
    int Row;
    int Col;
    union {
        double Number;  // a boolean's 1 or 0, a double, a date
        uint64_t TextAt;
    };
    uint32_t TextSize;
    TVarType Type;
};

struct TSheetData {
    String Name;
    std::vector<TCell> Cells;  // row by row once finished
    String Texts;              // the cells' texts, one after another
    TWorkbookRange Used;

    void Add(int row, int col, const TVariant& v) {
        TCell c{};
        c.Row = row;
        c.Col = col;
        c.Type = v.VarType();
        if (c.Type == TVarType::String) {
            c.TextAt = Texts.size();
            c.TextSize = static_cast<uint32_t>(v.AsString().size());
            Texts += v.AsString();
        } else {
            c.Number = v.AsNumber();
        }
        Cells.push_back(c);
    }
    TVariant Value(const TCell& c) const {
        switch (c.Type) {
            case TVarType::Empty: return TVariant();
            case TVarType::Boolean: return TVariant::FromBoolean(c.Number != 0);
            case TVarType::Double: return TVariant::FromDouble(c.Number);
            case TVarType::Date: return TVariant::FromDate(c.Number);
            case TVarType::String: return TVariant::FromString(Texts.substr(c.TextAt, c.TextSize));
        }
        return TVariant();
    }
};

// Sorts the cells into reading order, keeps the last value given to a
// place, drops empty ones and finds the used range.
inline void Finish(TSheetData& sheet) {
    auto& cells = sheet.Cells;
    std::stable_sort(cells.begin(), cells.end(), [](const TCell& a, const TCell& b) {
        return a.Row != b.Row ? a.Row < b.Row : a.Col < b.Col;
    });
    size_t kept = 0;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (kept > 0 && cells[kept - 1].Row == cells[i].Row && cells[kept - 1].Col == cells[i].Col)
            cells[kept - 1] = cells[i];
        else
            cells[kept++] = cells[i];
    }
    cells.resize(kept);
    std::erase_if(cells, [](const TCell& c) {
        return c.Type == TVarType::Empty || (c.Type == TVarType::String && c.TextSize == 0);
    });
    cells.shrink_to_fit();
    if (cells.empty()) {
        sheet.Used = TWorkbookRange{};
        return;
    }
    TWorkbookRange r{cells.front().Col, cells.front().Row, cells.front().Col, cells.back().Row};
    for (const TCell& c : cells) {
        r.FirstCol = std::min(r.FirstCol, c.Col);
        r.LastCol = std::max(r.LastCol, c.Col);
    }
    sheet.Used = r;
}

class TMemoryWorkbook : public TWorkbook {
public:
    std::vector<TSheetData> Sheets;
    int Active = -1;

    int SheetCount() const override { return static_cast<int>(Sheets.size()); }
    String SheetName(int sheet) const override { return Sheets.at(sheet).Name; }
    int ActiveSheet() const override { return Active; }
    TWorkbookRange UsedRange(int sheet) const override { return Sheets.at(sheet).Used; }
    void ForEachCell(int sheet, const std::function<void(int, int, const TVariant&)>& f) const override {
        const TSheetData& data = Sheets.at(sheet);
        for (const TCell& c : data.Cells) f(c.Col, c.Row, data.Value(c));
    }
};

// Hands the bytes to `flush` a megabyte at a time.
void Serialize(const TMemoryWorkbook& book, const std::function<void(const String&)>& flush);
// EWorkbookError when the bytes do not hold a whole workbook.
std::unique_ptr<TWorkbook> Deserialize(const String& data);

}  // namespace workbook
