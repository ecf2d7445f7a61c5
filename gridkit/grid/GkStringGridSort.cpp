// Sorting the rows of a TGkStringGrid: how two cells of a column compare,
// the partition sort over rows (by one column or by the sort index), the
// drivers that wrap it, and the header click that starts it.
#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "framework/rtl/DateTime.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/StrUtils.h"
#include "gridkit/grid/GkFunctions.h"
#include "gridkit/grid/GkStringGrid.h"
#include "gridkit/grid/MouseActions.h"
#include "gridkit/grid/Navigation.h"
#include "gridkit/grid/SortIndexList.h"
#include "gridkit/markup/GkMarkup.h"

namespace {

template <class TRow>
std::string_view CellOf(const TRow& row, int aCol) {
    return aCol >= 0 ? row.Cells.Text(static_cast<size_t>(aCol)) : std::string_view();
}

int Sign(double a, double b) { return a > b ? 1 : (a < b ? -1 : 0); }

int Sign(int v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }

// The whole text as a decimal number with "." as the separator, blanks
// before it allowed; anything else fails.
bool ValNumber(const String& text, double& value) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    if (i == text.size()) return false;
    const char* start = text.c_str() + i;
    char* end = nullptr;
    value = std::strtod(start, &end);
    if (end == start || *end != '\0') return false;
    // strtod also reads "inf", "nan" and hexadecimal numbers, which the
    // grid's numbers are not.
    for (const char* p = start; p < end; ++p)
        if (!(std::isdigit(static_cast<unsigned char>(*p)) || *p == '.' || *p == '-' || *p == '+' || *p == 'e' ||
              *p == 'E'))
            return false;
    return true;
}

void DeleteFirst(String& text, const String& part) {
    if (part.empty()) return;
    const size_t at = text.find(part);
    if (at != String::npos) text.erase(at, part.size());
}

double SortNumber(String text, const String& prefix, const String& suffix, bool financial, bool& ok) {
    DeleteFirst(text, prefix);
    DeleteFirst(text, suffix);
    const TFormatSettings& fs = FormatSettings();
    if (financial) text.erase(std::remove(text.begin(), text.end(), fs.ThousandSeparator), text.end());
    if (fs.DecimalSeparator != '.') {
        const size_t at = text.find(fs.DecimalSeparator);
        if (at != String::npos) text[at] = '.';
    }
    double v = 0;
    ok = ValNumber(text, v);
    return ok ? v : 0;
}

// The leading digits' value, 0 without any.
int LeadingNumber(const String& text) {
    int v = 0;
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = i < text.size() && text[i] == '-';
    if (negative) ++i;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && v < 100000000; ++i)
        v = v * 10 + (text[i] - '0');
    return negative ? -v : v;
}

// Takes the number before the first "-" (else "/", else ".") and deletes
// through that separator; false without a separator.
bool TakeDateField(String& text, int& field) {
    size_t at = text.find('-');
    if (at == String::npos) at = text.find('/');
    if (at == String::npos) at = text.find('.');
    if (at == String::npos) return false;
    field = LeadingNumber(text.substr(0, at));
    text.erase(0, at + 1);
    return true;
}

TDateTime ShortDate(String text, bool dayFirst) {
    int first = 0, second = 0;
    if (!TakeDateField(text, first) || !TakeDateField(text, second)) return 0;
    int year = LeadingNumber(text);
    // Two-digit years below 26 are this century's, other two-digit years
    // the last one's; a year written out in full stays as it is, so that
    // "03" and "2003" are the same year.
    if (year >= 0 && year < 26)
        year += 2000;
    else if (year >= 26 && year < 100)
        year += 1900;
    const int day = dayFirst ? first : second, month = dayFirst ? second : first;
    TDateTime d = 0;
    return TryEncodeDate(year, month, day, d) ? d : 0;
}

TDateTime LocaleDateTime(const String& text) {
    try {
        return StrToDateTime(text);
    } catch (const Exception&) {
        return 0;
    }
}

}  // namespace

int TGkStringGrid::CompareSortCells(int aCol, int aRow1, int aRow2) {
    const auto& rows = RowData();
    if (aRow1 < 0 || aRow2 < 0 || static_cast<size_t>(std::max(aRow1, aRow2)) >= rows.size()) return 0;
    const std::string_view av = CellOf(rows[static_cast<size_t>(aRow1)], aCol);
    const std::string_view bv = CellOf(rows[static_cast<size_t>(aRow2)], aCol);

    TSortStyle style = SortAutoFormat ? ssAutomatic : ssAlphabetic;
    String prefix, suffix;
    GetColumnFormat(aCol, style, prefix, suffix);
    if (style == ssAlphabetic || style == ssAlphaCase) return Sign(av.compare(bv));
    // The other styles read the texts as strings (a handler may keep them).
    const String a(av), b(bv);
    if (style == ssAutomatic) {
        // Decided by the first text alone, as the grid always has.
        if (ClassifyNumberText(a) <= 1) {
            style = ssNumeric;
        } else {
            style = ssAlphabetic;
            for (size_t p = 1; p + 1 < a.size(); ++p)
                if (a[p] == '/' && std::isdigit(static_cast<unsigned char>(a[p - 1])) &&
                    std::isdigit(static_cast<unsigned char>(a[p + 1]))) {
                    style = ssDate;
                    break;
                }
        }
    }

    switch (style) {
    case ssAlphabetic:
    case ssAlphaCase:
        return Sign(a.compare(b));
    case ssAlphaNoCase:
        return Sign(CompareText(a, b));
    case ssAnsiAlphaCase:
        return Sign(AnsiCompareStr(a, b));
    case ssAnsiAlphaNoCase:
        return Sign(AnsiCompareText(a, b));
    case ssNumeric:
    case ssFinancial: {
        bool okA = false, okB = false;
        const double va = SortNumber(a, prefix, suffix, style == ssFinancial, okA);
        const double vb = SortNumber(b, prefix, suffix, style == ssFinancial, okB);
        // An empty cell counts as 0; any other text that is no number
        // compares equal to everything.
        if (!okA && a.empty()) okA = true;
        if (!okB && b.empty()) okB = true;
        return okA && okB ? Sign(va, vb) : 0;
    }
    case ssDate:
        return Sign(LocaleDateTime(a), LocaleDateTime(b));
    case ssShortDateEU:
        return Sign(ShortDate(a, true), ShortDate(b, true));
    case ssShortDateUS:
        return Sign(ShortDate(a, false), ShortDate(b, false));
    case ssCustom: {
        int res = 0;
        if (OnCustomCompare) OnCustomCompare(this, a, b, res);
        return Sign(res);
    }
    case ssRaw: {
        int res = 0;
        if (OnRawCompare) OnRawCompare(this, aCol, aRow1, aRow2, res);
        return Sign(res);
    }
    case ssHTML:
        return Sign(StripMarkupTags(a).compare(StripMarkupTags(b)));
    case ssImages:
    case ssAutomatic:
        // No cell of this grid carries an image index: all equal.
        return 0;
    }
    return 0;
}

bool TGkStringGrid::IsNodeRow(int) const { return false; }

int TGkStringGrid::CompareRowsBy(int aCol, int aRow1, int aRow2) {
    for (int c = aCol;; ++c) {
        const int r = CompareSortCells(c, aRow1, aRow2);
        if (r != 0 || !SortFull || c > ColCount() - 2) return r;
    }
}

int TGkStringGrid::CompareRowsIndexed(int aRow1, int aRow2) {
    TSortIndexList* index = FSortIndexList.get();
    const int n = index->Count();
    for (int k = 0; k < n; ++k) {
        const int entry = index->Items(k);
        int r = CompareSortCells(TSortIndexList::ColumnOf(entry), aRow1, aRow2);
        if (r == 0 && SortFull && k < n - 1) continue;
        return TSortIndexList::Ascending(entry) ? r : -r;
    }
    return 0;
}

void TGkStringGrid::QuickSortRows(int lo, int hi, bool indexed) {
    // The pivot lives in the last but one scratch row, so comparisons read
    // it like any row and it survives the swaps.
    const int pivot = RowCount() - 2;
    while (lo < hi) {
        const int f = indexed || SortDirection != sdDescending ? 1 : -1;
        auto compare = [&](int r1, int r2) {
            return indexed ? CompareRowsIndexed(r1, r2) : CompareRowsBy(FSortColumn, r1, r2);
        };
        int i = lo, j = hi;
        RowData()[static_cast<size_t>(pivot)] = RowData()[static_cast<size_t>((lo + hi) / 2)];
        do {
            // The bounds hold even when a custom comparison is not
            // consistent (a row unequal to its own copy).
            if (i < hi && compare(pivot, i) == f) {
                ++i;
            } else {
                while (j > lo && compare(j, pivot) == f) --j;
                if (j >= i) {
                    if (i != j) ExchangeRows(i, j);
                    ++i;
                    --j;
                }
            }
        } while (j >= i);
        // Recurse into the smaller part, loop over the larger: the depth
        // stays logarithmic on any input.
        if (j - lo < hi - i) {
            if (j > lo) QuickSortRows(lo, j, indexed);
            lo = i;
        } else {
            if (i < hi) QuickSortRows(i, hi, indexed);
            hi = j;
        }
    }
}

template <class F>
void TGkStringGrid::RunSortDriver(bool saveFixedColumn, F sortRows) {
    const int rows = RowCount();
    if (rows <= FixedRows() || ColCount() < 1) return;
    std::vector<String> column0;
    if (saveFixedColumn && SortNormalCellsOnly && FixedCols() > 0) {
        column0.reserve(static_cast<size_t>(rows));
        for (int r = 0; r < rows; ++r) column0.emplace_back(CellOf(RowData()[static_cast<size_t>(r)], 0));
    }
    const int lastColWidth = ColWidths(ColCount() - 1);
    const bool wasEntered = Entered();
    SetEntered(false);
    SetTrackedRow(Row());
    // Three scratch rows at the end; the pivot uses the last but one.
    SetRowCount(rows + 3);
    if (FNavigation->MoveRowOnSort) SetRow(rows);
    sortRows(rows);
    for (int r = rows + 1; r < rows + 3; ++r) {
        auto& data = RowData()[static_cast<size_t>(r)];
        data.Cells.Clear();
        std::fill(data.Objects.begin(), data.Objects.end(), nullptr);
    }
    const int tracked = TrackedRow();
    if (tracked >= 0 && tracked < rows) SetRow(tracked);
    SetTrackedRow(-1);
    SetRowCount(rows);
    SetColWidths(ColCount() - 1, lastColWidth);
    if (!column0.empty())
        for (int r = 0; r < rows; ++r) StoreCell(0, r, column0[static_cast<size_t>(r)]);
    SetEntered(wasEntered);
    Invalidate();
}

void TGkStringGrid::QSort() {
    RunSortDriver(true, [this](int rows) {
        const int last = rows - 1 - FFixedFooters;
        if (last > FixedRows()) QuickSortRows(FixedRows(), last, false);
    });
}

void TGkStringGrid::QSortGroup() {
    RunSortDriver(true, [this](int rows) {
        int r = 1;
        while (r < rows) {
            if (!IsNodeRow(r)) {
                ++r;
                continue;
            }
            int end = r + 1;
            while (end < rows && !IsNodeRow(end)) ++end;
            // The rows after the node row, up to the next node row.
            if (end - (r + 1) >= 2) QuickSortRows(r + 1, end - 1, false);
            r = end;
        }
    });
}

void TGkStringGrid::QSortIndexed() {
    if (FSortIndexList->Count() == 0) return;
    RunSortDriver(false, [this](int rows) {
        const int last = rows - 1 - FFixedFooters;
        if (last > FixedRows()) QuickSortRows(FixedRows(), last, true);
    });
}

void TGkStringGrid::ClickSort(int aCol, TShiftState shift) {
    bool doSort = true;
    if (OnCanSort) OnCanSort(this, RealColIndex(aCol), doSort);
    if (!doSort) return;
    bool hasNodes = false;
    for (int r = 1; r < RowCount() && !hasNodes; ++r) hasNodes = IsNodeRow(r);
    if (FSortIndexShow) {
        TSortIndexList* index = FSortIndexList.get();
        if (!(shift & ssShift)) {
            if (index->Count() == 1 && TSortIndexList::ColumnOf(index->Items(0)) == aCol) {
                index->ToggleIndex(aCol);
            } else {
                index->Clear();
                index->AddIndex(aCol, true);
            }
        } else if (index->FindIndex(aCol) < 0) {
            index->AddIndex(aCol, true);
        } else {
            index->ToggleIndex(aCol);
        }
        QSortIndexed();
    } else {
        if (aCol != FSortColumn) {
            SortDirection = sdAscending;
            SetSortColumn(aCol);
        } else {
            SortDirection = SortDirection == sdAscending ? sdDescending : sdAscending;
        }
        if (hasNodes)
            QSortGroup();
        else
            QSort();
    }
    if (OnClickSort) OnClickSort(this, FSortColumn);
}
