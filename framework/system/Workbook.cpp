#include "framework/system/Workbook.h"

#include <fcntl.h>
#include <freexl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <orcus/format_detection.hpp>
#include <orcus/orcus_gnumeric.hpp>
#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xls_xml.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/spreadsheet/import_interface.hpp>
#include <orcus/spreadsheet/import_interface_view.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "framework/rtl/DateTime.h"

namespace {

// Past this many cells, or this many bytes of text in a sheet, a workbook
// is refused rather than read: a small file can repeat one cell over the
// whole sheet.
constexpr size_t MaxCells = 20'000'000;
constexpr size_t MaxTextBytes = size_t(512) << 20;

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
void Finish(TSheetData& sheet) {
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

class TOrcusSheet final : public ss::iface::import_sheet,
                          public ss::iface::import_sheet_view,
                          public ss::iface::import_formula {
public:
    TOrcusSheet(TOrcusFactory& factory, int index) : FFactory(factory), FIndex(index) {}

    ss::iface::import_sheet_view* get_sheet_view() override { return this; }
    ss::iface::import_formula* get_formula() override {
        FFormulaRow = FFormulaCol = -1;
        FFormulaValue = TVariant();
        return this;
    }

    void set_auto(ss::row_t row, ss::col_t col, std::string_view s) override {
        Put(row, col, TVariant::FromString(String(s)));
    }
    void set_string(ss::row_t row, ss::col_t col, ss::string_id_t sindex) override;
    void set_value(ss::row_t row, ss::col_t col, double value) override { Put(row, col, TVariant::FromDouble(value)); }
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
    void set_result_value(double value) override { FFormulaValue = TVariant::FromDouble(value); }
    void set_result_bool(bool value) override { FFormulaValue = TVariant::FromBoolean(value); }
    void set_result_empty() override { FFormulaValue = TVariant(); }
    void commit() override {
        if (FFormulaRow >= 0 && FFormulaCol >= 0) Put(FFormulaRow, FFormulaCol, FFormulaValue);
    }

    void Put(ss::row_t row, ss::col_t col, const TVariant& value);
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
};

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

std::unique_ptr<TMemoryWorkbook> OpenWithOrcus(const String& bytes) {
    auto book = std::make_unique<TMemoryWorkbook>();
    TOrcusFactory factory(*book);
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    std::unique_ptr<orcus::iface::import_filter> filter;
    switch (orcus::detect(data, bytes.size())) {
        case orcus::format_t::xlsx: filter = std::make_unique<orcus::orcus_xlsx>(&factory); break;
        case orcus::format_t::ods: filter = std::make_unique<orcus::orcus_ods>(&factory); break;
        case orcus::format_t::xls_xml: filter = std::make_unique<orcus::orcus_xls_xml>(&factory); break;
        case orcus::format_t::gnumeric: filter = std::make_unique<orcus::orcus_gnumeric>(&factory); break;
        default: throw EWorkbookError("not a workbook");
    }
    filter->read_stream(std::string_view(bytes));
    if (book->Sheets.empty()) throw EWorkbookError("no sheets");
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

// Both libraries fail on some damaged files (the fuzz target found them):
// libfreexl overruns a buffer of its own, liborcus loops without end. So a
// workbook is read in a child process: a crash there, or a read that runs
// past its time, is a file that cannot be opened, not the end of the
// program. The child hands the workbook back through a pipe: per sheet its
// name and cells, each a row, a column, a kind and a number or a text,
// after the active sheet's index and the number of sheets.
void PutRaw(String& out, const void* p, size_t n) { out.append(static_cast<const char*>(p), n); }

// Hands the bytes to `flush` a megabyte at a time.
void Serialize(const TMemoryWorkbook& book, const std::function<void(const String&)>& flush) {
    String out;
    const uint32_t sheets = static_cast<uint32_t>(book.Sheets.size());
    const int32_t active = book.Active;
    PutRaw(out, &active, sizeof active);
    PutRaw(out, &sheets, sizeof sheets);
    for (const TSheetData& sheet : book.Sheets) {
        const uint32_t nameSize = static_cast<uint32_t>(sheet.Name.size());
        const uint64_t cells = sheet.Cells.size();
        PutRaw(out, &nameSize, sizeof nameSize);
        out += sheet.Name;
        PutRaw(out, &cells, sizeof cells);
        for (const TCell& c : sheet.Cells) {
            if (out.size() >= (1u << 20)) {
                flush(out);
                out.clear();
            }
            const int32_t rc[2] = {c.Row, c.Col};
            const uint8_t type = static_cast<uint8_t>(c.Type);
            PutRaw(out, rc, sizeof rc);
            PutRaw(out, &type, sizeof type);
            if (c.Type == TVarType::String) {
                PutRaw(out, &c.TextSize, sizeof c.TextSize);
                out.append(sheet.Texts, c.TextAt, c.TextSize);
            } else {
                PutRaw(out, &c.Number, sizeof c.Number);
            }
        }
    }
    flush(out);
}

class TReader {
public:
    explicit TReader(const String& data) : FData(data) {}
    template <class T>
    T Get() {
        T v;
        std::memcpy(&v, Take(sizeof v), sizeof v);
        return v;
    }
    String Text(size_t n) { return String(Take(n), n); }
    bool AtEnd() const { return FPos == FData.size(); }

private:
    const char* Take(size_t n) {
        if (n > FData.size() - FPos) throw EWorkbookError("short reply");
        const char* p = FData.data() + FPos;
        FPos += n;
        return p;
    }
    const String& FData;
    size_t FPos = 0;
};

std::unique_ptr<TWorkbook> Deserialize(const String& data) {
    TReader in(data);
    auto book = std::make_unique<TMemoryWorkbook>();
    book->Active = in.Get<int32_t>();
    for (uint32_t sheets = in.Get<uint32_t>(); sheets > 0; --sheets) {
        TSheetData sheet;
        sheet.Name = in.Text(in.Get<uint32_t>());
        for (uint64_t cells = in.Get<uint64_t>(); cells > 0; --cells) {
            const int32_t row = in.Get<int32_t>(), col = in.Get<int32_t>();
            const TVarType type = static_cast<TVarType>(in.Get<uint8_t>());
            TVariant value;
            switch (type) {
                case TVarType::String: value = TVariant::FromString(in.Text(in.Get<uint32_t>())); break;
                case TVarType::Boolean: value = TVariant::FromBoolean(in.Get<double>() != 0); break;
                case TVarType::Double: value = TVariant::FromDouble(in.Get<double>()); break;
                case TVarType::Date: value = TVariant::FromDate(in.Get<double>()); break;
                default: throw EWorkbookError("bad reply");
            }
            if (row < 0 || col < 0) throw EWorkbookError("bad reply");
            sheet.Add(row, col, value);
        }
        Finish(sheet);
        book->Sheets.push_back(std::move(sheet));
    }
    if (!in.AtEnd() || book->Sheets.empty() || book->Active >= book->SheetCount()) throw EWorkbookError("bad reply");
    return book;
}

double TimeLimit = 0;  // SetWorkbookTimeLimit's; 0 for the default

// ThreadSanitizer cannot follow a child that starts threads after a fork
// from a process with threads, as liborcus does for .ods: its builds read
// in this process, without the time limit.
#if defined(__SANITIZE_THREAD__)
#define VELMOR_READ_IN_PROCESS 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define VELMOR_READ_IN_PROCESS 1
#endif
#endif
#ifdef VELMOR_READ_IN_PROCESS
constexpr bool ReadsApart = false;
#else
constexpr bool ReadsApart = true;
#endif

std::unique_ptr<TWorkbook> ReadApart(const std::function<std::unique_ptr<TMemoryWorkbook>()>& reader,
                                     double seconds) {
    if (!ReadsApart) {
        try {
            return reader();
        } catch (const EWorkbookError&) {
            throw;
        } catch (const std::exception& e) {
            throw EWorkbookError(e.what());
        }
    }
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) throw EWorkbookError("no pipe");
    const pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        throw EWorkbookError("no process");
    }
    if (pid == 0) {
        close(fds[0]);
        int status = 1;
        try {
            bool written = true;
            Serialize(*reader(), [&](const String& out) {
                size_t done = 0;
                while (written && done < out.size()) {
                    const ssize_t n = write(fds[1], out.data() + done, out.size() - done);
                    if (n < 0 && errno == EINTR) continue;
                    if (n <= 0) written = false;
                    else done += static_cast<size_t>(n);
                }
            });
            if (written) status = 0;
        } catch (...) {
        }
        _exit(status);
    }
    close(fds[1]);
    String data;
    char buf[65536];
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    bool late = false;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd p{fds[0], POLLIN, 0};
        const int ready = left.count() > 0 ? poll(&p, 1, static_cast<int>(left.count())) : 0;
        if (ready < 0 && errno == EINTR) continue;
        if (ready == 0) {
            late = true;
            kill(pid, SIGKILL);
            break;
        }
        const ssize_t n = read(fds[0], buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        data.append(buf, static_cast<size_t>(n));
    }
    close(fds[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (late || !WIFEXITED(status) || WEXITSTATUS(status) != 0) throw EWorkbookError("not a workbook");
    return Deserialize(data);
}

}  // namespace

void SetWorkbookTimeLimit(double seconds) { TimeLimit = seconds; }
bool WorkbookReadsHaveTimeLimit() { return ReadsApart; }

std::unique_ptr<TWorkbook> OpenWorkbook(const String& fileName) {
    static const unsigned char compoundFile[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    char head[8] = {};
    std::streamoff size = 0;
    {
        std::ifstream in(fileName, std::ios::binary | std::ios::ate);
        if (!in) throw EWorkbookError("cannot read " + fileName);
        size = in.tellg();
        in.seekg(0);
        in.read(head, sizeof head);
    }
    // Far more than a sound file of this size takes.
    const double seconds = TimeLimit > 0 ? TimeLimit : 30 + 5 * static_cast<double>(size) / 1e6;
    const bool xls = std::memcmp(head, compoundFile, sizeof head) == 0;
    return ReadApart(
        [&]() -> std::unique_ptr<TMemoryWorkbook> {
            if (xls) return OpenWithFreeXl(fileName);
            return OpenWithOrcus(ReadWholeFile(fileName));
        },
        seconds);
}
