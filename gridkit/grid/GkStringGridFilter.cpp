// Hidden rows and the filter of a TGkStringGrid: rows are cut out of the
// grid into a store with their texts and put back in their old places;
// the filter hides every normal row that fails its conditions.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <vector>

#include "gridkit/grid/Filter.h"
#include "gridkit/grid/GkStringGrid.h"
#include "gridkit/grid/GridItem.h"

namespace {

TGridItem* ItemAt(TCollection* store, int i) { return static_cast<TGridItem*>(store->Items(i)); }

// The framework's float conversion with "." as the decimal point, over
// the whole text.
bool WholeNumber(const String& text, double& value) {
    if (text.empty()) return false;
    const char* start = text.c_str();
    char* end = nullptr;
    value = std::strtod(start, &end);
    if (end == start || *end != '\0') return false;
    for (const char* p = start; p < end; ++p)
        if (!(std::isdigit(static_cast<unsigned char>(*p)) || *p == '.' || *p == '-' || *p == '+' || *p == 'e' ||
              *p == 'E'))
            return false;
    return true;
}

// "text op operand" for the first `op` in term; false when term has none.
bool Compare(const String& term, const String& text, char op, bool& result) {
    const size_t at = term.find(op);
    if (at == String::npos) return false;
    size_t from = at + 1;
    bool inclusive = from < term.size() && term[from] == '=';
    if (inclusive) ++from;
    size_t to = from;
    while (to < term.size() && term[to] != ' ' && term[to] != '&' && term[to] != '|' && to - from < 255) ++to;
    const String operand = term.substr(from, to - from);
    double a = 0, b = 0;
    int order;
    if (WholeNumber(text, a) && WholeNumber(operand, b))
        order = a > b ? 1 : (a < b ? -1 : 0);
    else {
        const int c = text.substr(0, 255).compare(operand.substr(0, 255));
        order = c > 0 ? 1 : (c < 0 ? -1 : 0);
    }
    result = op == '>' ? (order > 0 || (inclusive && order == 0)) : (order < 0 || (inclusive && order == 0));
    return true;
}

// "*" any run, "?" any one character, everything else itself. Whether a
// match exists does not depend on the order the runs are tried in, so a
// linear-space table serves instead of backtracking.
bool Wildcard(const String& pattern, const String& text) {
    const size_t n = text.size();
    std::vector<char> row(n + 1, 0), next(n + 1, 0);
    row[0] = 1;
    for (size_t j = 1; j <= n; ++j) row[j] = 0;
    for (char p : pattern) {
        std::fill(next.begin(), next.end(), 0);
        if (p == '*') {
            char any = 0;
            for (size_t j = 0; j <= n; ++j) {
                any = static_cast<char>(any | row[j]);
                next[j] = any;
            }
        } else {
            for (size_t j = 1; j <= n; ++j)
                next[j] = static_cast<char>(row[j - 1] && (p == '?' || p == text[j - 1]));
        }
        row.swap(next);
    }
    return row[n] != 0;
}

// For each item, the number of shown rows above it: its real index less
// the hidden rows above it. The store need not be in index order.
std::vector<int> ShownRowsAbove(TCollection* store) {
    const int n = store->Count();
    std::vector<int> idx(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) idx[static_cast<size_t>(i)] = ItemAt(store, i)->Idx;
    std::vector<int> sorted = idx;
    std::sort(sorted.begin(), sorted.end());
    std::vector<int> above(idx.size());
    for (size_t i = 0; i < idx.size(); ++i)
        above[i] = idx[i] - static_cast<int>(std::lower_bound(sorted.begin(), sorted.end(), idx[i]) - sorted.begin());
    return above;
}

}  // namespace

TFilter* TGkStringGrid::Filter() const {
    if (!FFilter) FFilter = std::make_shared<TFilter>(const_cast<TGkStringGrid*>(this));
    return FFilter.get();
}

TCollection* TGkStringGrid::HiddenRows() const {
    if (!FHiddenRows) FHiddenRows = std::make_shared<TCollection>([](TCollection* c) { return new TGridItem(c); });
    return FHiddenRows.get();
}

int TGkStringGrid::HiddenRowTotal() const { return FHiddenRows ? FHiddenRows->Count() : 0; }

bool TGkStringGrid::RowIsHidden(int realRow) const {
    if (!FHiddenRows) return false;
    for (int i = 0; i < FHiddenRows->Count(); ++i)
        if (ItemAt(FHiddenRows.get(), i)->Idx == realRow) return true;
    return false;
}

int TGkStringGrid::RowToDisplay(int realRow) const {
    int below = 0;
    if (FHiddenRows)
        for (int i = 0; i < FHiddenRows->Count(); ++i)
            if (ItemAt(FHiddenRows.get(), i)->Idx < realRow) ++below;
    return realRow - below;
}

int TGkStringGrid::RowToReal(int displayRow) const {
    if (displayRow < 0) return -1;
    int shown = -1, real = 0;
    for (;; ++real)
        if (!RowIsHidden(real) && ++shown == displayRow) return real;
}

void TGkStringGrid::HideRowSpan(int firstReal, int lastReal) {
    if (lastReal < firstReal || RowIsHidden(firstReal)) return;
    const int d = RowToDisplay(firstReal);
    const int count = lastReal - firstReal + 1;
    if (d < 0 || d + count > RowCount()) return;
    TCollection* store = HiddenRows();
    for (int r = firstReal; r <= lastReal; ++r) {
        auto* item = static_cast<TGridItem*>(store->Add());
        item->Idx = r;
        const int row = d + (r - firstReal);
        for (int c = 0; c < ColCount(); ++c) item->Items()->Add(Cells(c, row));
    }
    TStoreMoving moving(FStoreMoving);
    RemoveRowsShifted(d, count);
}

void TGkStringGrid::RestoreRowSpan(int firstReal, int lastReal) {
    if (!FHiddenRows || !RowIsHidden(firstReal)) return;
    // Rows that are shown between hidden ones keep their places: each run
    // of hidden rows that follow each other comes back on its own, so no
    // text lands on a row that was never hidden.
    int run = firstReal;
    while (run <= lastReal) {
        if (!RowIsHidden(run)) {
            ++run;
            continue;
        }
        int end = run;
        while (end + 1 <= lastReal && RowIsHidden(end + 1)) ++end;
        const int d = RowToDisplay(run);
        const int n = end - run + 1;
        {
            TStoreMoving moving(FStoreMoving);
            InsertRowRange(d, n);
        }
        for (int i = 0; i < FHiddenRows->Count();) {
            TGridItem* item = ItemAt(FHiddenRows.get(), i);
            if (item->Idx < run || item->Idx > end) {
                ++i;
                continue;
            }
            const int row = d + (item->Idx - run);
            const int cols = std::min(ColCount(), item->Items()->Count());
            for (int c = 0; c < cols; ++c) SetCells(c, row, item->Items()->Get(c));
            FHiddenRows->Delete(i);
        }
        run = end + 1;
    }
}

void TGkStringGrid::RestoreAllHiddenRows() {
    while (FHiddenRows && FHiddenRows->Count() > 0) {
        const int first = ItemAt(FHiddenRows.get(), 0)->Idx;
        int last = first;
        for (int i = 1; i < FHiddenRows->Count() && ItemAt(FHiddenRows.get(), i)->Idx == last + 1; ++i) ++last;
        RestoreRowSpan(first, last);
    }
}

void TGkStringGrid::ShownRowsInserted(int displayRow, int count) {
    if (FStoreMoving > 0 || count < 1 || HiddenRowTotal() == 0) return;
    // Hidden rows between the shown row above and the one at displayRow
    // stay above the new rows.
    const std::vector<int> above = ShownRowsAbove(FHiddenRows.get());
    for (int i = 0; i < FHiddenRows->Count(); ++i)
        if (above[static_cast<size_t>(i)] > displayRow) ItemAt(FHiddenRows.get(), i)->Idx += count;
}

void TGkStringGrid::ShownRowsRemoved(int displayRow, int count) {
    if (FStoreMoving > 0 || count < 1 || HiddenRowTotal() == 0) return;
    const std::vector<int> above = ShownRowsAbove(FHiddenRows.get());
    for (int i = 0; i < FHiddenRows->Count(); ++i)
        ItemAt(FHiddenRows.get(), i)->Idx -= std::clamp(above[static_cast<size_t>(i)] - displayRow, 0, count);
}

void TGkStringGrid::DropHiddenRows() {
    if (FHiddenRows) FHiddenRows->Clear();
    FFilterActive = false;
    FFilterAddedRow = false;
}

bool TGkStringGrid::MatchPattern(const String& term, const String& text) {
    bool result = false;
    if (Compare(term, text, '>', result) && result) return true;
    if (Compare(term, text, '<', result) && result) return true;
    String pattern;
    bool invert = false;
    for (char c : term)
        if (c == '!')
            invert = !invert;
        else
            pattern += c;
    return Wildcard(pattern, text) != invert;
}

bool TGkStringGrid::MatchFilterExpression(const String& condition, const String& text) {
    String cond;
    for (char c : condition)
        if (c != ' ') cond += c;
    bool result = false;
    char joiner = 0;  // none before the first term
    size_t start = 0;
    for (size_t i = 0; i <= cond.size(); ++i) {
        if (i < cond.size() && cond[i] != '&' && cond[i] != ';' && cond[i] != '^') continue;
        const bool term = MatchPattern(cond.substr(start, i - start), text);
        result = joiner == 0 ? term : (joiner == '&' ? result && term : result || term);
        if (i < cond.size()) joiner = cond[i];
        start = i + 1;
    }
    return result;
}

void TGkStringGrid::RunFilter() {
    auto matches = [this](int r) {
        if (!FFilter) return true;
        for (int i = 0; i < FFilter->Count(); ++i) {
            TFilterData* f = FFilter->Items(i);
            if (!MatchFilterExpression(f->Condition, Cells(f->Column, r))) return false;
        }
        return true;
    };
    int r = FixedRows();
    int runStart = -1, runFirstReal = -1, runLastReal = -1;
    while (r < RowCount() - FFixedFooters) {
        if (!matches(r)) {
            if (runStart < 0) {
                runStart = r;
                runFirstReal = RowToReal(r);
            }
            runLastReal = RowToReal(r);
            ++r;
            continue;
        }
        if (runStart >= 0) {
            HideRowSpan(runFirstReal, runLastReal);
            // The matching row moved up to where the run began.
            r = runStart + 1;
            runStart = -1;
        } else {
            ++r;
        }
    }
    if (runStart >= 0) HideRowSpan(runFirstReal, runLastReal);
}

void TGkStringGrid::SetFilterActive(bool v) {
    if (v == FFilterActive) return;
    FFilterActive = v;
    if (v) {
        FFilterFixedRows = FixedRows();
        const int normalRows = RowCount() - FFilterFixedRows - FFixedFooters;
        const int hiddenBefore = HiddenRowTotal();
        RunFilter();
        // Nothing matched: one empty row keeps the grid a grid. (The grid
        // may already have kept one, emptied, rather than go below its
        // fixed rows.)
        FFilterAddedRow = normalRows > 0 && HiddenRowTotal() - hiddenBefore == normalRows;
        if (RowCount() == FFilterFixedRows + FFixedFooters) {
            SetRowCount(RowCount() + 1);
            SetFixedRows(FFilterFixedRows);
            FFilterAddedRow = true;
        }
    } else {
        if (FFilterAddedRow && FixedRows() + FFixedFooters + 1 == RowCount()) SetRowCount(RowCount() - 1);
        FFilterAddedRow = false;
        const int fixedRows = FixedRows() > 0 ? FixedRows() : FFilterFixedRows;
        RestoreAllHiddenRows();
        SetFixedRows(fixedRows);
    }
}
