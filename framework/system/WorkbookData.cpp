#include "framework/system/WorkbookData.h"

#include <cstring>

namespace workbook {

namespace {

void PutRaw(String& out, const void* p, size_t n) { out.append(static_cast<const char*>(p), n); }

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

}  // namespace

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

}  // namespace workbook
