// Blocks of cells through the clipboard (tab-separated text, and the RTF of
// one cell), smart paste (fill and series), and the imports of delimited
// text and workbooks.
#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <vector>

#include "framework/controls/Clipboard.h"
#include "framework/controls/Screen.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/DateTime.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/Variant.h"
#include "framework/system/Workbook.h"
#include "gridkit/grid/GkGridError.h"
#include "gridkit/grid/GkStringGrid.h"
#include "gridkit/grid/Navigation.h"
#include "gridkit/markup/GkMarkup.h"
#include "gridkit/markup/GkRichEdit.h"

namespace {

TClipboardFormat RtfFormat() { return RegisterClipboardFormat("Rich Text Format"); }

// The upper half of the OEM code page (437) as UTF-8.
const char* const kOem437[128] = {
    "Ç", "ü", "é", "â", "ä", "à", "å", "ç", "ê", "ë", "è", "ï", "î", "ì", "Ä", "Å", "É", "æ", "Æ", "ô", "ö", "ò",
    "û", "ù", "ÿ", "Ö", "Ü", "¢", "£", "¥", "₧", "ƒ", "á", "í", "ó", "ú", "ñ", "Ñ", "ª", "º", "¿", "⌐", "¬", "½",
    "¼", "¡", "«", "»", "░", "▒", "▓", "│", "┤", "╡", "╢", "╖", "╕", "╣", "║", "╗", "╝", "╜", "╛", "┐", "└", "┴",
    "┬", "├", "─", "┼", "╞", "╟", "╚", "╔", "╩", "╦", "╠", "═", "╬", "╧", "╨", "╤", "╥", "╙", "╘", "╒", "╓", "╫",
    "╪", "┘", "┌", "█", "▄", "▌", "▐", "▀", "α", "ß", "Γ", "π", "Σ", "σ", "µ", "τ", "Φ", "Θ", "Ω", "δ", "∞", "φ",
    "ε", "∩", "≡", "±", "≥", "≤", "⌠", "⌡", "÷", "≈", "°", "∙", "·", "√", "ⁿ", "²", "■", "\xC2\xA0"};

String OemToUtf8(const String& line) {
    String out;
    out.reserve(line.size());
    for (unsigned char c : line) {
        if (c < 0x80)
            out += static_cast<char>(c);
        else
            out += kOem437[c - 0x80];
    }
    return out;
}

String LfToCrLf(const String& s) {
    String out;
    out.reserve(s.size());
    for (char c : s) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

String CollapseQuotes(const String& s) {
    String out;
    for (size_t i = 0; i < s.size(); ++i) {
        out += s[i];
        if (s[i] == '"' && i + 1 < s.size() && s[i + 1] == '"') ++i;
    }
    return out;
}

// How often `d` stands in `line` on its own (not next to another `d`).
int CountDelimiter(const String& line, char d) {
    int n = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] != d) continue;
        const bool last = i + 1 == line.size();
        const bool doubled = (i > 0 && line[i - 1] == d) || (!last && line[i + 1] == d);
        if (last || !doubled) ++n;
    }
    return n;
}

bool ReadLine(std::istream& in, String& line) {
    if (!std::getline(in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

}  // namespace

// --- copy -----------------------------------------------------------------

String TGkStringGrid::CellBlockText(const TGridRect& r, bool keepTags) {
    String text;
    for (int row = r.Top; row <= r.Bottom; ++row) {
        if (row > r.Top) text += "\r\n";
        for (int col = r.Left; col <= r.Right; ++col) {
            if (col > r.Left) text += '\t';
            String cell = Cells(col, row);
            if (!keepTags && cell.find("</") != String::npos)
                cell = StripMarkupTags(cell);
            else if (cell.find("{\\") != String::npos) {
                LoadRichCell(cell);
                cell = FRichEdit->Text();
            }
            text += cell;
        }
    }
    return text;
}

void TGkStringGrid::CopyCellBlock(const TGridRect& r) {
    FCopyOrigin = TGridCoord{r.Left, r.Top};
    const String text = CellBlockText(r, FNavigation->CopyHTMLTagsToClipboard);
    const String topLeft = Cells(r.Left, r.Top);
    TClipboard* clip = Clipboard();
    clip->Open();
    clip->SetAsText(text);
    if (FNavigation->AllowRTFClipboard && topLeft.find("{\\") != String::npos) clip->SetAsFormat(RtfFormat(), topLeft);
    clip->Close();
}

String TGkStringGrid::SelectionAsText() { return CellBlockText(Selection(), true); }

void TGkStringGrid::CopySelection() {
    CopyCellBlock(Selection());
    FCopied = true;
}

void TGkStringGrid::CutSelection() {
    const TGridRect r = Selection();
    CopyCellBlock(r);
    for (int row = r.Top; row <= r.Bottom; ++row)
        for (int col = r.Left; col <= r.Right; ++col)
            if (CellIsEditable(col, row) && !Cells(col, row).empty()) SetCells(col, row, String());
    FCopied = false;
}

// --- paste ----------------------------------------------------------------

int TGkStringGrid::PasteAtCell(int aCol, int aRow) {
    TClipboard* clip = Clipboard();
    if (FNavigation->AllowRTFClipboard && clip->HasFormat(RtfFormat())) {
        String rtf = clip->GetAsFormat(RtfFormat());
        const size_t nul = rtf.find('\0');
        if (nul != String::npos) rtf.resize(nul);
        if (CellIsEditable(aCol, aRow)) SetCells(aCol, aRow, rtf);
        return 0;
    }
    if (!clip->HasFormat(CF_TEXT)) return 0;
    return PasteTextAt(aCol, aRow, clip->AsText());
}

int TGkStringGrid::PasteTextAt(int aCol, int aRow, const String& text) {
    if (!(Options() & goEditing)) return 0;
    int fields = 0, lastCol = aCol, row = aRow;
    size_t pos = 0;
    while (true) {
        size_t end = text.find('\r', pos);
        const String line = text.substr(pos, end == String::npos ? String::npos : end - pos);
        int col = aCol;
        size_t f = 0;
        while (true) {
            const size_t tab = line.find('\t', f);
            const String field = line.substr(f, tab == String::npos ? String::npos : tab - f);
            if (col >= ColCount()) SetColCount(col + 1);
            if (row < RowCount() && CellIsEditable(col, row)) SetCells(col, row, field);
            ++fields;
            lastCol = std::max(lastCol, col);
            ++col;
            if (tab == String::npos) break;
            f = tab + 1;
        }
        if (end == String::npos) break;
        pos = end + 1;
        if (pos < text.size() && text[pos] == '\n') ++pos;
        ++row;
        // A final line end leaves one empty field for the next row, but
        // no new row for it.
        if (row == RowCount() && pos < text.size()) SetRowCount(RowCount() + 1);
    }
    AfterPaste(FCopyOrigin, TGridRect{aCol, aRow, lastCol, std::min(row, RowCount() - 1)}, FCopied);
    return fields;
}

void TGkStringGrid::PasteIntoSelection() {
    const TGridRect sel = Selection();
    const int n = PasteAtCell(sel.Left, sel.Top);
    if (!FNavigation->AllowSmartClipboard) return;
    const bool manyCells = sel.Right > sel.Left || sel.Bottom > sel.Top;
    if (n == 1 && manyCells) {
        const String first = Cells(sel.Left, sel.Top);
        for (int c = sel.Left; c <= sel.Right; ++c)
            for (int r = sel.Top; r <= sel.Bottom; ++r)
                if (CellIsEditable(c, r)) SetCells(c, r, first);
        return;
    }
    const bool oneColumn = sel.Left == sel.Right, oneRow = sel.Top == sel.Bottom;
    if (n != 2 || !(oneColumn || oneRow) || !manyCells) return;
    const String a = Cells(sel.Left, sel.Top);
    const String b = oneColumn ? Cells(sel.Left, sel.Top + 1) : Cells(sel.Left + 1, sel.Top);
    const TFormatSettings& fs = FormatSettings();
    std::vector<TGridCoord> cells;
    for (int c = sel.Left; c <= sel.Right; ++c)
        for (int r = sel.Top; r <= sel.Bottom; ++r) cells.push_back(TGridCoord{c, r});

    const bool dateLike = a.find(fs.DateSeparator) != String::npos || a.find(fs.TimeSeparator) != String::npos;
    const bool dateLikeB = b.find(fs.DateSeparator) != String::npos || b.find(fs.TimeSeparator) != String::npos;
    if (dateLike && dateLikeB) {
        TDateTime d1 = 0, d2 = 0;
        try {
            d1 = StrToDateTime(a);
            d2 = StrToDateTime(b);
        } catch (const Exception&) {
            return;
        }
        int y1, m1, dd1, y2, m2, dd2;
        DecodeDate(d1, y1, m1, dd1);
        DecodeDate(d2, y2, m2, dd2);
        const int dy = y2 - y1, dm = m2 - m1, dd = dd2 - dd1;
        if (dy < 0 || dm < 0 || dd < 0) return;
        const bool asDate = a.find(fs.DateSeparator) != String::npos;
        TDateTime value = d1;
        int year = y1, month = m1;
        for (const TGridCoord& cell : cells) {
            if (CellIsEditable(cell.X, cell.Y)) SetCells(cell.X, cell.Y, asDate ? DateToStr(value) : TimeToStr(value));
            if (dd != 0 && dy == 0 && dm == 0) {
                value += dd;
            } else if (dy != 0 && dm == 0 && dd == 0) {
                year += dy;
                TDateTime next;
                if (!TryEncodeDate(year, m1, dd1, next)) return;  // no such date: the series ends
                value = next + (value - std::floor(value));
            } else if (dm != 0 && dy == 0 && dd == 0) {
                month += dm;
                while (month > 12) {
                    month -= 12;
                    ++year;
                }
                TDateTime next;
                if (!TryEncodeDate(year, month, dd1, next)) return;
                value = next + (value - std::floor(value));
            } else {
                value += d2 - d1;
            }
        }
        return;
    }
    if (a.find(fs.DecimalSeparator) == String::npos && b.find(fs.DecimalSeparator) == String::npos) {
        Int64 i1 = 0, i2 = 0;
        if (!TryStrToInt64(a, i1) || !TryStrToInt64(b, i2)) return;
        Int64 v = i1;
        for (const TGridCoord& cell : cells) {
            if (CellIsEditable(cell.X, cell.Y)) SetCells(cell.X, cell.Y, std::to_string(v));
            v += i2 - i1;
        }
        return;
    }
    const double f1 = StrToFloat(a), f2 = StrToFloat(b);
    double v = f1;
    for (const TGridCoord& cell : cells) {
        if (CellIsEditable(cell.X, cell.Y)) SetCells(cell.X, cell.Y, FloatToStr(v));
        v += f2 - f1;
    }
}

// --- imports ----------------------------------------------------------------

void TGkStringGrid::ImportDelimitedFile(const String& fileName, bool append) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw EGkGridError(String(GkGridTexts::SCannotOpen) + fileName);
    const int firstRow = append ? RowCount() : 0;
    char delimiter = Delimiter;
    if (delimiter == 0) {
        String l1, l2;
        const bool has1 = ReadLine(in, l1);
        const bool has2 = has1 && ReadLine(in, l2);
        int best = 0;
        if (has2)
            for (char candidate : {',', ';', '#', '\t', '|'}) {
                const int c1 = CountDelimiter(l1, candidate), c2 = CountDelimiter(l2, candidate);
                if (c1 == c2 && c1 > best) {
                    best = c1;
                    delimiter = candidate;
                }
            }
    }
    in.clear();
    in.seekg(0);
    int lineCount = 0;
    for (String line; ReadLine(in, line);) ++lineCount;
    in.clear();
    in.seekg(0);
    if (!append) DropHiddenRows();
    SetRowCount(std::max(firstRow + lineCount, FixedRows() + 1));
    int row = firstRow, done = 0, lastProgress = -1;
    for (String line; ReadLine(in, line);) {
        if (OemConvert) line = OemToUtf8(line);
        int col = 0;
        auto put = [&](const String& value) {
            if (col >= ColCount()) SetColCount(col + 1);
            if (row >= RowCount()) SetRowCount(row + 1);
            SetCells(col, row, value);
            ++col;
        };
        while (delimiter != 0 && line.find(delimiter) != String::npos) {
            String field;
            if (!line.empty() && line[0] == '"') {
                size_t close = String::npos;
                for (size_t i = 1; i < line.size(); ++i) {
                    if (line[i] != '"') continue;
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        // A doubled quote, unless its second half ends the
                        // line: that one closes the field.
                        if (i + 2 == line.size()) {
                            close = i + 1;
                            break;
                        }
                        ++i;
                        continue;
                    }
                    close = i;
                    break;
                }
                if (close != String::npos) field = CollapseQuotes(line.substr(1, close - 1));
                // A field with no closing quote is empty, and takes the line.
                const size_t from = close == String::npos ? line.size() : close + 1;
                const size_t next = line.find(delimiter, from);
                line = next == String::npos ? String() : line.substr(next + 1);
            } else {
                const size_t next = line.find(delimiter);
                field = line.substr(0, next);
                line = line.substr(next + 1);
            }
            put(LfToCrLf(field));
        }
        if (!line.empty()) {
            String last = line;
            if (!last.empty() && last.front() == '"') last.erase(0, 1);
            if (!last.empty() && last.back() == '"') last.pop_back();
            put(LfToCrLf(CollapseQuotes(last)));
        }
        ++row;
        ++done;
        if (OnFileProgress && lineCount > 0) {
            const int p = static_cast<int>(std::lround(done * 100.0 / lineCount));
            if (p != lastProgress) {
                lastProgress = p;
                OnFileProgress(this, static_cast<short>(p));
            }
            ProcessMessages();
        }
    }
}

void TGkStringGrid::ImportWorkbook(const String& fileName, const String& sheetName) {
    struct TBusyCursor {
        TCursor Old = Screen->Cursor();
        TBusyCursor() { Screen->SetCursor(crHourGlass); }
        ~TBusyCursor() { Screen->SetCursor(Old); }
    } busy;

    // The whole workbook is read before the grid changes, so a file that
    // cannot be read leaves the grid as it was.
    std::unique_ptr<TWorkbook> book;
    try {
        book = OpenWorkbook(fileName);
    } catch (const EWorkbookReaderMissing& e) {
        // Not the file's fault: the message says what is.
        throw EGkGridError(String(GkGridTexts::SCannotOpenWorkbook) + fileName + ": " + e.Message);
    } catch (const EWorkbookError&) {
        throw EGkGridError(String(GkGridTexts::SCannotOpenWorkbook) + fileName);
    }
    int sheet = -1;
    if (sheetName.empty()) {
        sheet = std::max(book->ActiveSheet(), 0);
    } else {
        for (int i = 0; i < book->SheetCount() && sheet < 0; ++i)
            if (book->SheetName(i) == sheetName) sheet = i;
        if (sheet < 0) throw EGkGridError("Excel worksheet " + sheetName + " not found");
    }

    // The grid reaches from A1 to the used range's far corner, so a range
    // that begins elsewhere keeps every cell in its place.
    const TWorkbookRange used = book->UsedRange(sheet);
    BeginUpdate();
    struct TEndUpdate {
        TGkStringGrid* Grid;
        ~TEndUpdate() { Grid->EndUpdate(); }
    } endUpdate{this};
    DropHiddenRows();
    SetColCount(used.LastCol + 1);
    SetRowCount(used.LastRow + 1);
    const int cols = ColCount(), rows = RowCount();
    // Cells the sheet leaves empty are emptied too, as they hold no value.
    int nextCol = 0, nextRow = 0;
    auto advance = [&] {
        if (++nextCol == cols) {
            nextCol = 0;
            ++nextRow;
        }
    };
    auto emptyUpTo = [&](int col, int row) {
        while (nextRow < rows && (nextRow < row || (nextRow == row && nextCol < col))) {
            if (!CellText(nextCol, nextRow).empty()) SetCells(nextCol, nextRow, String());
            advance();
        }
    };
    book->ForEachCell(sheet, [&](int col, int row, const TVariant& value) {
        if (col >= cols || row >= rows) return;
        emptyUpTo(col, row);
        SetCells(col, row, VarToStr(value));
        advance();
    });
    emptyUpTo(0, rows);
}
