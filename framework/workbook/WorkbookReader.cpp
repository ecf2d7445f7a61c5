#include "framework/workbook/WorkbookReader.h"

#include <freexl.h>

#include <orcus/format_detection.hpp>
#include <orcus/orcus_gnumeric.hpp>
#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xls_xml.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/spreadsheet/import_interface.hpp>
#include <orcus/spreadsheet/import_interface_view.hpp>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unordered_map>
#include <utility>
#include <vector>

#include "framework/rtl/DateTime.h"
#include "framework/workbook/XlsxCells.h"
#include "framework/workbook/XlsxPackage.h"

namespace {

using namespace workbook;

// --- number formats that make a number a date ------------------------------

// The built-in formats of dates and times (14-22, 45-47).
bool IsBuiltInDateFormat(size_t id) { return (id >= 14 && id <= 22) || (id >= 45 && id <= 47); }

// A format code shows a date or a time when, outside quoted text, escaped
// characters and bracketed parts (colours, conditions, locales), its first
// section holds a day, month, year, hour or second field. Elapsed times
// ([h], [mm], [ss]) count too.
bool IsDateFormatCode(std::string_view code) {
    for (size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (c == ';') return false;
        if (c == '"') {
            const size_t end = code.find('"', i + 1);
            if (end == std::string_view::npos) return false;
            i = end;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (c == '[') {
            const size_t end = code.find(']', i + 1);
            if (end == std::string_view::npos) return false;
            const std::string_view inside = code.substr(i + 1, end - i - 1);
            if (!inside.empty() && std::strchr("hHmMsS", inside[0]) &&
                inside.find_first_not_of(inside[0]) == std::string_view::npos)
                return true;
            i = end;
        } else if (std::strchr("dDmMyYhHsS", c)) {
            return true;
        }
    }
    return false;
}

// --- liborcus ---------------------------------------------------------------

namespace ss = orcus::spreadsheet;

class TOrcusFactory;
class TOrcusSheet;

// An array formula: only the results stored with it are kept, each in its
// cell of the formula's range. liborcus 0.17 calls a sheet's array formula
// without asking whether it has one, so every sheet must.
class TOrcusArrayFormula final : public ss::iface::import_array_formula {
public:
    explicit TOrcusArrayFormula(TOrcusSheet& sheet) : FSheet(sheet) {}
    void set_range(const ss::range_t& range) override { FFirst = range.first; }
    void set_formula(ss::formula_grammar_t, std::string_view) override {}
    void set_result_string(ss::row_t row, ss::col_t col, std::string_view value) override;
    void set_result_value(ss::row_t row, ss::col_t col, double value) override;
    void set_result_bool(ss::row_t row, ss::col_t col, bool value) override;
    void set_result_empty(ss::row_t, ss::col_t) override {}
    void commit() override {}

private:
    TOrcusSheet& FSheet;
    ss::address_t FFirst{0, 0};
};

class TOrcusSheet final : public ss::iface::import_sheet,
                          public ss::iface::import_sheet_view,
                          public ss::iface::import_formula {
public:
    TOrcusSheet(TOrcusFactory& factory, int index) : FFactory(factory), FIndex(index), FArrayFormula(*this) {}

    ss::iface::import_sheet_view* get_sheet_view() override { return this; }
    ss::iface::import_formula* get_formula() override {
        FFormulaRow = FFormulaCol = -1;
        FFormulaValue = TVariant();
        return this;
    }
    ss::iface::import_array_formula* get_array_formula() override { return &FArrayFormula; }

    void set_auto(ss::row_t row, ss::col_t col, std::string_view s) override {
        Put(row, col, TVariant::FromString(String(s)));
    }
    void set_string(ss::row_t row, ss::col_t col, ss::string_id_t sindex) override;
    // liborcus gives a value it cannot read as a number, or a formula's
    // missing result (openpyxl writes formulas without one), as NaN, which
    // no cell holds: it is no value.
    void set_value(ss::row_t row, ss::col_t col, double value) override {
        if (!std::isnan(value)) Put(row, col, TVariant::FromDouble(value));
    }
    void set_bool(ss::row_t row, ss::col_t col, bool value) override { Put(row, col, TVariant::FromBoolean(value)); }
    void set_date_time(ss::row_t row, ss::col_t col, int year, int month, int day, int hour, int minute,
                       double second) override {
        TDateTime date = 0, time = 0;
        const int whole = static_cast<int>(second);
        const int ms = static_cast<int>(std::lround((second - whole) * 1000));
        // A time-only value comes as the day 1899-12-30.
        if (!(year == 1899 && month == 12 && day == 30) && !TryEncodeDate(year, month, day, date)) return;
        if (!TryEncodeTime(hour, minute, whole, std::min(ms, 999), time)) time = 0;
        Put(row, col, TVariant::FromDate(ComposeDateTime(date, time)));
    }
    void set_format(ss::row_t row, ss::col_t col, size_t xfIndex) override;
    void set_format(ss::row_t, ss::col_t, ss::row_t, ss::col_t, size_t) override {}
    void fill_down_cells(ss::row_t srcRow, ss::col_t srcCol, ss::row_t rangeSize) override {
        // The source is in the row just read: the search stops before it.
        const auto& cells = Data().Cells;
        const TCell* src = nullptr;
        for (auto it = cells.rbegin(); it != cells.rend() && it->Row >= srcRow; ++it)
            if (it->Row == srcRow && it->Col == srcCol) {
                src = &*it;
                break;
            }
        if (!src || src->Type == TVarType::Empty) return;
        const TVariant value = Data().Value(*src);
        for (ss::row_t r = 1; r <= rangeSize; ++r) Put(srcRow + r, srcCol, value);
    }
    ss::range_size_t get_sheet_size() const override { return ss::range_size_t{1048576, 16384}; }

    // The sheet view: only which sheet is active matters.
    void set_sheet_active() override;
    void set_split_pane(double, double, const ss::address_t&, ss::sheet_pane_t) override {}
    void set_frozen_pane(ss::col_t, ss::row_t, const ss::address_t&, ss::sheet_pane_t) override {}
    void set_selected_range(ss::sheet_pane_t, ss::range_t) override {}

    // A formula: only the result stored with it is kept.
    void set_position(ss::row_t row, ss::col_t col) override {
        FFormulaRow = row;
        FFormulaCol = col;
    }
    void set_formula(ss::formula_grammar_t, std::string_view) override {}
    void set_shared_formula_index(size_t) override {}
    void set_result_string(std::string_view value) override { FFormulaValue = TVariant::FromString(String(value)); }
    void set_result_value(double value) override {
        FFormulaValue = std::isnan(value) ? TVariant() : TVariant::FromDouble(value);
    }
    void set_result_bool(bool value) override { FFormulaValue = TVariant::FromBoolean(value); }
    void set_result_empty() override { FFormulaValue = TVariant(); }
    void commit() override {
        if (FFormulaRow >= 0 && FFormulaCol >= 0) Put(FFormulaRow, FFormulaCol, FFormulaValue);
    }

    void Put(ss::row_t row, ss::col_t col, const TVariant& value);
    // Holds the cells liborcus gave against the sheet part's own XML and
    // adds, from the XML, every value liborcus passed over or left empty;
    // EWorkbookError when a value can be read by neither.
    void CompleteFrom(std::vector<unsigned char> xml);
    // Numbers in a date format become dates; the cells must be in order.
    void MakeDates();
    TSheetData& Data();

    struct TFormatted {
        int Row;
        int Col;
        size_t Xf;
    };
    std::vector<TFormatted> Formats;

private:
    TOrcusFactory& FFactory;
    int FIndex;
    ss::row_t FFormulaRow = -1;
    ss::col_t FFormulaCol = -1;
    TVariant FFormulaValue;
    TOrcusArrayFormula FArrayFormula;
};

void TOrcusArrayFormula::set_result_string(ss::row_t row, ss::col_t col, std::string_view value) {
    FSheet.Put(FFirst.row + row, FFirst.column + col, TVariant::FromString(String(value)));
}
void TOrcusArrayFormula::set_result_value(ss::row_t row, ss::col_t col, double value) {
    if (!std::isnan(value)) FSheet.Put(FFirst.row + row, FFirst.column + col, TVariant::FromDouble(value));
}
void TOrcusArrayFormula::set_result_bool(ss::row_t row, ss::col_t col, bool value) {
    FSheet.Put(FFirst.row + row, FFirst.column + col, TVariant::FromBoolean(value));
}

// Shared strings, number formats and cell formats: only the texts, and
// which cell formats show a date, are kept.
class TOrcusStrings final : public ss::iface::import_shared_strings {
public:
    std::vector<String> Texts;

    size_t append(std::string_view s) override {
        Texts.emplace_back(s);
        return Texts.size() - 1;
    }
    size_t add(std::string_view s) override {
        const auto [it, added] = FIndex.try_emplace(String(s), Texts.size());
        if (added) Texts.emplace_back(s);
        return it->second;
    }
    void set_segment_font(size_t) override {}
    void set_segment_bold(bool) override {}
    void set_segment_italic(bool) override {}
    void set_segment_font_name(std::string_view) override {}
    void set_segment_font_size(double) override {}
    void set_segment_font_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    void append_segment(std::string_view s) override { FSegments.append(s); }
    size_t commit_segments() override {
        const size_t i = append(FSegments);
        FSegments.clear();
        return i;
    }

private:
    std::unordered_map<String, size_t> FIndex;
    String FSegments;
};

class TOrcusStyles final : public ss::iface::import_styles {
public:
    // Whether each cell format (by its index) shows a date or a time.
    std::vector<bool> DateXfs;

    void set_font_count(size_t) override {}
    void set_font_bold(bool) override {}
    void set_font_italic(bool) override {}
    void set_font_name(std::string_view) override {}
    void set_font_size(double) override {}
    void set_font_underline(ss::underline_t) override {}
    void set_font_underline_width(ss::underline_width_t) override {}
    void set_font_underline_mode(ss::underline_mode_t) override {}
    void set_font_underline_type(ss::underline_type_t) override {}
    void set_font_underline_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    void set_font_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    void set_strikethrough_style(ss::strikethrough_style_t) override {}
    void set_strikethrough_type(ss::strikethrough_type_t) override {}
    void set_strikethrough_width(ss::strikethrough_width_t) override {}
    void set_strikethrough_text(ss::strikethrough_text_t) override {}
    size_t commit_font() override { return FFonts++; }
    void set_fill_count(size_t) override {}
    void set_fill_pattern_type(ss::fill_pattern_t) override {}
    void set_fill_fg_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    void set_fill_bg_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    size_t commit_fill() override { return FFills++; }
    void set_border_count(size_t) override {}
    void set_border_style(ss::border_direction_t, ss::border_style_t) override {}
    void set_border_color(ss::border_direction_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t,
                          ss::color_elem_t) override {}
    void set_border_width(ss::border_direction_t, double, orcus::length_unit_t) override {}
    size_t commit_border() override { return FBorders++; }
    void set_cell_hidden(bool) override {}
    void set_cell_locked(bool) override {}
    void set_cell_print_content(bool) override {}
    void set_cell_formula_hidden(bool) override {}
    size_t commit_cell_protection() override { return FProtections++; }

    void set_number_format_count(size_t) override {}
    void set_number_format_identifier(size_t id) override { FFormatId = id; }
    void set_number_format_code(std::string_view s) override { FFormatCode = s; }
    size_t commit_number_format() override {
        const bool date = IsDateFormatCode(FFormatCode);
        FDateFormatIds[FFormatId] = date;
        FFormatId = 0;
        FFormatCode.clear();
        FDateFormats.push_back(date);
        return FDateFormats.size() - 1;
    }

    void set_cell_xf_count(size_t) override {}
    void set_cell_style_xf_count(size_t) override {}
    void set_dxf_count(size_t) override {}
    void set_xf_font(size_t) override {}
    void set_xf_fill(size_t) override {}
    void set_xf_border(size_t) override {}
    void set_xf_protection(size_t) override {}
    void set_xf_number_format(size_t index) override { FXfFormat = index; }
    void set_xf_style_xf(size_t) override {}
    void set_xf_apply_alignment(bool) override {}
    void set_xf_horizontal_alignment(ss::hor_alignment_t) override {}
    void set_xf_vertical_alignment(ss::ver_alignment_t) override {}
    size_t commit_cell_xf() override {
        auto it = FDateFormatIds.find(FXfFormat);
        DateXfs.push_back(it != FDateFormatIds.end() ? it->second : IsBuiltInDateFormat(FXfFormat));
        FXfFormat = 0;
        return DateXfs.size() - 1;
    }
    size_t commit_cell_style_xf() override {
        FXfFormat = 0;
        return FStyleXfs++;
    }
    size_t commit_dxf() override {
        FXfFormat = 0;
        return FDxfs++;
    }
    void set_cell_style_count(size_t) override {}
    void set_cell_style_name(std::string_view) override {}
    void set_cell_style_xf(size_t) override {}
    void set_cell_style_builtin(size_t) override {}
    void set_cell_style_parent_name(std::string_view) override {}
    size_t commit_cell_style() override { return FStyles++; }

private:
    size_t FFonts = 0, FFills = 0, FBorders = 0, FProtections = 0, FStyleXfs = 0, FDxfs = 0, FStyles = 0;
    size_t FFormatId = 0;
    String FFormatCode;
    std::vector<bool> FDateFormats;
    std::unordered_map<size_t, bool> FDateFormatIds;
    size_t FXfFormat = 0;
};

class TOrcusSettings final : public ss::iface::import_global_settings {
public:
    TDateTime Origin = 0;  // the workbook's day 0 as a date
    void set_origin_date(int year, int month, int day) override {
        TDateTime d;
        if (TryEncodeDate(year, month, day, d)) Origin = d;
    }
    void set_default_formula_grammar(ss::formula_grammar_t g) override { FGrammar = g; }
    ss::formula_grammar_t get_default_formula_grammar() const override { return FGrammar; }
    void set_character_set(orcus::character_set_t) override {}

private:
    ss::formula_grammar_t FGrammar = ss::formula_grammar_t::unknown;
};

// Cell addresses in A1 notation, with or without "$" signs.
class TOrcusResolver final : public ss::iface::import_reference_resolver {
public:
    ss::src_address_t resolve_address(std::string_view address) override {
        ss::src_address_t a{0, 0, 0};
        size_t i = 0;
        if (i < address.size() && address[i] == '$') ++i;
        long col = 0, row = 0;
        size_t letters = 0;
        for (; i < address.size() && std::isalpha(static_cast<unsigned char>(address[i])); ++i, ++letters)
            col = col * 26 + (std::toupper(static_cast<unsigned char>(address[i])) - 'A' + 1);
        if (i < address.size() && address[i] == '$') ++i;
        size_t digits = 0;
        for (; i < address.size() && std::isdigit(static_cast<unsigned char>(address[i])); ++i, ++digits)
            row = row * 10 + (address[i] - '0');
        if (letters == 0 || letters > 3 || digits == 0 || digits > 7 || i != address.size() || row == 0)
            throw std::runtime_error("bad cell address");
        a.column = static_cast<ss::col_t>(col - 1);
        a.row = static_cast<ss::row_t>(row - 1);
        return a;
    }
    ss::src_range_t resolve_range(std::string_view range) override {
        const size_t colon = range.find(':');
        if (colon == std::string_view::npos) {
            const ss::src_address_t a = resolve_address(range);
            return ss::src_range_t{a, a};
        }
        return ss::src_range_t{resolve_address(range.substr(0, colon)), resolve_address(range.substr(colon + 1))};
    }
};

class TOrcusFactory final : public ss::iface::import_factory {
public:
    TMemoryWorkbook& Book;
    TOrcusStrings Strings;
    TOrcusStyles Styles;
    TOrcusSettings Settings;
    TOrcusResolver Resolver;
    std::vector<std::unique_ptr<TOrcusSheet>> Sheets;
    size_t CellCount = 0;

    explicit TOrcusFactory(TMemoryWorkbook& book) : Book(book) {}

    ss::iface::import_global_settings* get_global_settings() override { return &Settings; }
    ss::iface::import_shared_strings* get_shared_strings() override { return &Strings; }
    ss::iface::import_styles* get_styles() override { return &Styles; }
    ss::iface::import_reference_resolver* get_reference_resolver(ss::formula_ref_context_t) override {
        return &Resolver;
    }
    ss::iface::import_sheet* append_sheet(ss::sheet_t index, std::string_view name) override {
        if (index != static_cast<ss::sheet_t>(Sheets.size())) throw std::runtime_error("sheets out of order");
        Book.Sheets.emplace_back();
        Book.Sheets.back().Name = String(name);
        Sheets.push_back(std::make_unique<TOrcusSheet>(*this, static_cast<int>(index)));
        return Sheets.back().get();
    }
    ss::iface::import_sheet* get_sheet(std::string_view name) override {
        for (size_t i = 0; i < Sheets.size(); ++i)
            if (Book.Sheets[i].Name == name) return Sheets[i].get();
        return nullptr;
    }
    ss::iface::import_sheet* get_sheet(ss::sheet_t index) override {
        return index >= 0 && static_cast<size_t>(index) < Sheets.size() ? Sheets[index].get() : nullptr;
    }
    void finalize() override {}
};

void TOrcusSheet::set_string(ss::row_t row, ss::col_t col, ss::string_id_t sindex) {
    const auto& texts = FFactory.Strings.Texts;
    if (sindex < texts.size()) Put(row, col, TVariant::FromString(texts[sindex]));
}

void TOrcusSheet::set_format(ss::row_t row, ss::col_t col, size_t xfIndex) {
    // The cell formats may be read after the sheets: which ones show dates
    // is looked at once the whole workbook is read.
    if (xfIndex != 0 && row >= 0 && col >= 0)
        Formats.push_back(TFormatted{static_cast<int>(row), static_cast<int>(col), xfIndex});
}

void TOrcusSheet::MakeDates() {
    const auto& dates = FFactory.Styles.DateXfs;
    auto& cells = Data().Cells;
    for (const TFormatted& f : Formats) {
        if (f.Xf >= dates.size() || !dates[f.Xf]) continue;
        auto it = std::lower_bound(cells.begin(), cells.end(), f, [](const TCell& c, const TFormatted& k) {
            return c.Row != k.Row ? c.Row < k.Row : c.Col < k.Col;
        });
        if (it == cells.end() || it->Row != f.Row || it->Col != f.Col) continue;
        if (it->Type == TVarType::Double) {
            it->Type = TVarType::Date;
            it->Number += FFactory.Settings.Origin;
        }
    }
    Formats.clear();
    Formats.shrink_to_fit();
}

// An ISO 8601 date, date and time, or time (a cell of type "d"); false
// when the text is none of these.
bool ParseIsoDateTime(std::string_view s, TDateTime& value) {
    size_t i = 0;
    auto number = [&](size_t digits, int& out) {
        out = 0;
        for (size_t k = 0; k < digits; ++k, ++i) {
            if (i >= s.size() || s[i] < '0' || s[i] > '9') return false;
            out = out * 10 + (s[i] - '0');
        }
        return true;
    };
    auto skip = [&](char c) {
        if (i >= s.size() || s[i] != c) return false;
        ++i;
        return true;
    };
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, sec = 0, ms = 0;
    TDateTime date = 0, time = 0;
    const bool hasDate = s.size() >= 10 && s[4] == '-';
    if (hasDate) {
        if (!number(4, y) || !skip('-') || !number(2, mo) || !skip('-') || !number(2, d)) return false;
        if (!TryEncodeDate(y, mo, d, date)) return false;
        if (i == s.size()) {
            value = date;
            return true;
        }
        if (!skip('T') && !skip(' ')) return false;
    }
    if (!number(2, h) || !skip(':') || !number(2, mi)) return false;
    if (skip(':')) {
        if (!number(2, sec)) return false;
        if (skip('.')) {
            double scale = 100, fraction = 0;
            for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, scale /= 10) fraction += (s[i] - '0') * scale;
            ms = std::min(static_cast<int>(std::lround(fraction)), 999);
        }
    }
    // A zone is passed over, as spreadsheet programs show the time written.
    if (i < s.size() && s[i] == 'Z') ++i;
    else if (i < s.size() && (s[i] == '+' || s[i] == '-')) i = s.size();
    if (i != s.size() || !TryEncodeTime(h, mi, sec, ms, time)) return false;
    value = ComposeDateTime(date, time);
    return true;
}

// A cell's value as the sheet's XML gives it; EWorkbookError when it is not
// one of the format's kinds, or does not read as its kind.
TVariant XlsxValue(const TXlsxCell& cell, const std::vector<String>& strings) {
    std::string_view v = cell.Value;
    const std::string_view t = cell.Type;
    if (t == "inlineStr" || t == "str" || t == "e") return TVariant::FromString(String(v));
    while (!v.empty() && std::isspace(static_cast<unsigned char>(v.front()))) v.remove_prefix(1);
    while (!v.empty() && std::isspace(static_cast<unsigned char>(v.back()))) v.remove_suffix(1);
    if (t == "s") {
        size_t index = 0;
        const auto [end, error] = std::from_chars(v.data(), v.data() + v.size(), index);
        if (error != std::errc() || end != v.data() + v.size() || index >= strings.size())
            throw EWorkbookError("bad shared string");
        return TVariant::FromString(strings[index]);
    }
    if (t.empty() || t == "n") {
        double number = 0;
        const auto [end, error] = std::from_chars(v.data(), v.data() + v.size(), number);
        if (error != std::errc() || end != v.data() + v.size()) throw EWorkbookError("bad number");
        return TVariant::FromDouble(number);
    }
    if (t == "b") {
        if (v == "1" || v == "true") return TVariant::FromBoolean(true);
        if (v == "0" || v == "false") return TVariant::FromBoolean(false);
        throw EWorkbookError("bad boolean");
    }
    if (t == "d") {
        TDateTime date = 0;
        if (!ParseIsoDateTime(v, date)) throw EWorkbookError("bad date");
        return TVariant::FromDate(date);
    }
    throw EWorkbookError("unknown cell type");
}

void TOrcusSheet::CompleteFrom(std::vector<unsigned char> xml) {
    auto& cells = Data().Cells;
    auto before = [](const TCell& c, const std::pair<int, int>& at) {
        return c.Row != at.first ? c.Row < at.first : c.Col < at.second;
    };
    // In place order, each place's values in the order given: the last one
    // counts, as in Finish.
    std::stable_sort(cells.begin(), cells.end(), [](const TCell& a, const TCell& b) {
        return a.Row != b.Row ? a.Row < b.Row : a.Col < b.Col;
    });
    TSheetData added;
    ReadXlsxCells(std::move(xml), [&](const TXlsxCell& x) {
        const std::pair<int, int> at{x.Row, x.Col};
        auto it = std::lower_bound(cells.begin(), cells.end(), at, before);
        const TCell* last = nullptr;
        for (; it != cells.end() && it->Row == x.Row && it->Col == x.Col; ++it) last = &*it;
        if (last && last->Type != TVarType::Empty) return;
        const TVariant value = XlsxValue(x, FFactory.Strings.Texts);
        if (added.Cells.size() >= MaxCells || added.Texts.size() > MaxTextBytes) throw EWorkbookError("too large");
        added.Add(x.Row, x.Col, value);
        if (value.VarType() == TVarType::Double && x.Xf != 0) Formats.push_back(TFormatted{x.Row, x.Col, x.Xf});
    });
    for (const TCell& c : added.Cells) Put(c.Row, c.Col, added.Value(c));
}

void TOrcusSheet::set_sheet_active() { FFactory.Book.Active = FIndex; }

TSheetData& TOrcusSheet::Data() { return FFactory.Book.Sheets[FIndex]; }

void TOrcusSheet::Put(ss::row_t row, ss::col_t col, const TVariant& value) {
    if (row < 0 || col < 0) return;
    if (++FFactory.CellCount > MaxCells || Data().Texts.size() > MaxTextBytes)
        throw std::runtime_error("too large");
    Data().Add(static_cast<int>(row), static_cast<int>(col), value);
}

String ReadWholeFile(const String& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw EWorkbookError("cannot read " + fileName);
    return String(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// liborcus 0.17 reads an .xlsx only in part where its package names parts
// from the root, and passes over some kinds of cells (XlsxPackage.h,
// XlsxCells.h): each sheet is held against its own part, and a sheet that
// cannot be read whole is no workbook that can be opened.
void CompleteXlsx(const TXlsxPackage& package, TOrcusFactory& factory) {
    const auto& sheets = package.Sheets();
    auto& book = factory.Book;
    // Both read the sheets the workbook part names, in its order.
    if (sheets.size() != book.Sheets.size()) throw EWorkbookError("sheets differ");
    for (size_t i = 0; i < sheets.size(); ++i) {
        if (sheets[i].Name != book.Sheets[i].Name) throw EWorkbookError("sheets differ");
        if (sheets[i].Part.empty() || !package.Has(sheets[i].Part))
            throw EWorkbookError("sheet " + sheets[i].Name + " is not in the package");
        factory.Sheets[i]->CompleteFrom(package.Read(sheets[i].Part));
    }
    // liborcus takes the sheet whose view is marked selected; the workbook's
    // own view names the active one, and openpyxl writes only that.
    if (package.ActiveTab() >= 0 && package.ActiveTab() < static_cast<int>(book.Sheets.size()))
        book.Active = package.ActiveTab();
}

std::unique_ptr<TMemoryWorkbook> OpenWithOrcus(const String& bytes) {
    auto book = std::make_unique<TMemoryWorkbook>();
    TOrcusFactory factory(*book);
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    std::unique_ptr<orcus::iface::import_filter> filter;
    std::unique_ptr<TXlsxPackage> package;
    String relative;  // the package with relative targets, where it needs them
    switch (orcus::detect(data, bytes.size())) {
        case orcus::format_t::xlsx:
            filter = std::make_unique<orcus::orcus_xlsx>(&factory);
            package = std::make_unique<TXlsxPackage>(bytes);
            if (package->HasRootedTargets()) relative = package->WithRelativeTargets();
            break;
        case orcus::format_t::ods: filter = std::make_unique<orcus::orcus_ods>(&factory); break;
        case orcus::format_t::xls_xml: filter = std::make_unique<orcus::orcus_xls_xml>(&factory); break;
        case orcus::format_t::gnumeric: filter = std::make_unique<orcus::orcus_gnumeric>(&factory); break;
        default: throw EWorkbookError("not a workbook");
    }
    filter->read_stream(std::string_view(relative.empty() ? bytes : relative));
    String().swap(relative);
    if (book->Sheets.empty()) throw EWorkbookError("no sheets");
    if (package) CompleteXlsx(*package, factory);
    for (size_t i = 0; i < book->Sheets.size(); ++i) {
        Finish(book->Sheets[i]);
        factory.Sheets[i]->MakeDates();
    }
    return book;
}

// --- libfreexl --------------------------------------------------------------

// libfreexl gives dates as "YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS" or "HH:MM:SS".
TVariant FreeXlDate(const char* text) {
    int y = 1899, mo = 12, d = 30, h = 0, mi = 0, s = 0;
    if (!text) return TVariant();
    if (std::sscanf(text, "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s) < 3) {
        y = 1899, mo = 12, d = 30, h = mi = s = 0;
        if (std::sscanf(text, "%d:%d:%d", &h, &mi, &s) != 3) return TVariant::FromString(text);
    }
    TDateTime date = 0, time = 0;
    if (!(y == 1899 && mo == 12 && d == 30) && !TryEncodeDate(y, mo, d, date)) return TVariant::FromString(text);
    if (!TryEncodeTime(h, mi, s, 0, time)) return TVariant::FromString(text);
    return TVariant::FromDate(ComposeDateTime(date, time));
}

std::unique_ptr<TMemoryWorkbook> OpenWithFreeXl(const String& fileName) {
    const void* handle = nullptr;
    struct TClose {
        const void*& H;
        ~TClose() {
            if (H) freexl_close(H);
        }
    } close{handle};
    if (freexl_open(fileName.c_str(), &handle) != FREEXL_OK) throw EWorkbookError("not a workbook");
    unsigned int password = 0, sheets = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &password) != FREEXL_OK || password != FREEXL_BIFF_PLAIN)
        throw EWorkbookError("encrypted");
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK || sheets == 0)
        throw EWorkbookError("no sheets");
    auto book = std::make_unique<TMemoryWorkbook>();
    size_t cellCount = 0;
    for (unsigned int i = 0; i < sheets; ++i) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(handle, static_cast<unsigned short>(i), &name) != FREEXL_OK ||
            freexl_select_active_worksheet(handle, static_cast<unsigned short>(i)) != FREEXL_OK)
            throw EWorkbookError("damaged");
        TSheetData sheet;
        sheet.Name = name ? name : "";
        unsigned int rows = 0;
        unsigned short cols = 0;
        if (freexl_worksheet_dimensions(handle, &rows, &cols) != FREEXL_OK) throw EWorkbookError("damaged");
        for (unsigned int r = 0; r < rows; ++r)
            for (unsigned short c = 0; c < cols; ++c) {
                FreeXL_CellValue v;
                if (freexl_get_cell_value(handle, r, c, &v) != FREEXL_OK) throw EWorkbookError("damaged");
                TVariant value;
                switch (v.type) {
                    case FREEXL_CELL_INT: value = TVariant::FromDouble(v.value.int_value); break;
                    case FREEXL_CELL_DOUBLE: value = TVariant::FromDouble(v.value.double_value); break;
                    case FREEXL_CELL_TEXT:
                    case FREEXL_CELL_SST_TEXT:
                        value = TVariant::FromString(v.value.text_value ? v.value.text_value : "");
                        break;
                    case FREEXL_CELL_DATE:
                    case FREEXL_CELL_DATETIME:
                    case FREEXL_CELL_TIME: value = FreeXlDate(v.value.text_value); break;
                    default: continue;
                }
                if (++cellCount > MaxCells || sheet.Texts.size() > MaxTextBytes) throw EWorkbookError("too large");
                sheet.Add(static_cast<int>(r), static_cast<int>(c), value);
            }
        Finish(sheet);
        book->Sheets.push_back(std::move(sheet));
    }
    return book;
}

}  // namespace

std::unique_ptr<workbook::TMemoryWorkbook> ReadWorkbookFile(const String& fileName) {
    static const unsigned char compoundFile[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    char head[8] = {};
    {
        std::ifstream in(fileName, std::ios::binary);
        if (!in) throw EWorkbookError("cannot read " + fileName);
        in.read(head, sizeof head);
    }
    if (std::memcmp(head, compoundFile, sizeof head) == 0) return OpenWithFreeXl(fileName);
    return OpenWithOrcus(ReadWholeFile(fileName));
}
