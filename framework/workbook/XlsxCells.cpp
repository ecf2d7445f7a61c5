#include "framework/workbook/XlsxCells.h"

#include <cstdint>
#include <string>
#include <utility>

#include "framework/system/Workbook.h"
#include "framework/workbook/XlsxPackage.h"

namespace {

// Where an element stands in the sheet; the rest is passed over.
enum class TPlace : uint8_t { Other, Root, SheetData, Row, Cell, Value, Inline, Run, Text };

// "B12" -> column 1, row 11; A1 notation without "$", as a cell's r is.
void ParseAddress(std::string_view a, int& row, int& col) {
    size_t i = 0;
    long c = 0, r = 0;
    for (; i < a.size() && i < 3 && ((a[i] >= 'A' && a[i] <= 'Z') || (a[i] >= 'a' && a[i] <= 'z')); ++i)
        c = c * 26 + ((a[i] & ~0x20) - 'A' + 1);
    const size_t letters = i;
    for (; i < a.size() && i - letters < 7 && a[i] >= '0' && a[i] <= '9'; ++i) r = r * 10 + (a[i] - '0');
    if (letters == 0 || i == letters || i != a.size() || r == 0) throw EWorkbookError("bad cell address");
    row = static_cast<int>(r - 1);
    col = static_cast<int>(c - 1);
}

int ParseRowNumber(std::string_view s) {
    long r = 0;
    for (const char ch : s) {
        if (ch < '0' || ch > '9' || r > 10'000'000) throw EWorkbookError("bad row number");
        r = r * 10 + (ch - '0');
    }
    if (r == 0) throw EWorkbookError("bad row number");
    return static_cast<int>(r - 1);
}

size_t ParseIndex(std::string_view s) {
    size_t v = 0;
    for (const char ch : s) {
        if (ch < '0' || ch > '9' || v > 100'000'000) throw EWorkbookError("bad format index");
        v = v * 10 + static_cast<size_t>(ch - '0');
    }
    return v;
}

// The sheet's own elements are those in the namespace prefix of its root
// element; extensions in other namespaces are passed over.
class TSheetHandler : public orcus::sax_handler {
public:
    explicit TSheetHandler(const std::function<void(const TXlsxCell&)>& cell) : FCell(cell) {}

    void attribute(const orcus::sax::parser_attribute& a) {
        if (!a.ns.empty()) return;
        if (a.name == "r") FR.assign(a.value);
        else if (a.name == "t") FT.assign(a.value);
        else if (a.name == "s") FS.assign(a.value);
    }

    void start_element(const orcus::sax::parser_element& e) {
        const TPlace parent = FPlaces.empty() ? TPlace::Other : FPlaces.back();
        TPlace place = TPlace::Other;
        if (FPlaces.empty()) {
            FPrefix.assign(e.ns);
            place = TPlace::Root;
        } else if (e.ns == FPrefix) {
            if (parent == TPlace::Root && e.name == "sheetData") {
                place = TPlace::SheetData;
            } else if (parent == TPlace::SheetData && e.name == "row") {
                place = TPlace::Row;
                FRow = FR.empty() ? FRow + 1 : ParseRowNumber(FR);
                FCol = -1;
            } else if (parent == TPlace::Row && e.name == "c") {
                place = TPlace::Cell;
                if (FR.empty()) {
                    FCellRow = FRow;
                    ++FCol;
                } else {
                    ParseAddress(FR, FCellRow, FCol);
                }
                FType.swap(FT);
                FXf = FS.empty() ? 0 : ParseIndex(FS);
                FValue.clear();
                FInline.clear();
                FHasInline = false;
            } else if (parent == TPlace::Cell && e.name == "v") {
                place = TPlace::Value;
            } else if (parent == TPlace::Cell && e.name == "is") {
                place = TPlace::Inline;
                FHasInline = true;
            } else if (parent == TPlace::Inline && e.name == "t") {
                place = TPlace::Text;
            } else if (parent == TPlace::Inline && e.name == "r") {
                place = TPlace::Run;
            } else if (parent == TPlace::Run && e.name == "t") {
                place = TPlace::Text;
            }
        }
        FPlaces.push_back(place);
        FR.clear();
        FT.clear();
        FS.clear();
    }

    void end_element(const orcus::sax::parser_element&) {
        const TPlace place = FPlaces.back();
        FPlaces.pop_back();
        if (place != TPlace::Cell) return;
        const bool inlineText = FHasInline && FType == "inlineStr";
        if (!inlineText && FValue.empty()) return;
        TXlsxCell cell;
        cell.Row = FCellRow;
        cell.Col = FCol;
        cell.Type = FType;
        cell.Value = inlineText ? FInline : FValue;
        cell.Xf = FXf;
        FCell(cell);
    }

    void characters(std::string_view text, bool) {
        if (FPlaces.empty()) return;
        if (FPlaces.back() == TPlace::Value) FValue.append(text);
        else if (FPlaces.back() == TPlace::Text) FInline.append(text);
    }

private:
    const std::function<void(const TXlsxCell&)>& FCell;
    std::vector<TPlace> FPlaces;
    std::string FPrefix;
    std::string FR, FT, FS;  // the attributes of the element about to start
    int FRow = -1, FCol = -1, FCellRow = -1;
    std::string FType, FValue, FInline;
    size_t FXf = 0;
    bool FHasInline = false;
};

}  // namespace

void ReadXlsxCells(std::vector<unsigned char> xml, const std::function<void(const TXlsxCell&)>& cell) {
    TSheetHandler handler(cell);
    ParseXmlPart(std::move(xml), handler);
}
