#include "spell/parsers/ParserFactory.h"

#include "framework/controls/CustomMemo.h"
#include "framework/controls/RichEdit.h"
#include "spell/parsers/BufferParser.h"
#include "spell/parsers/CustomEditParser.h"
#include "spell/parsers/CustomMemoParser.h"
#include "spell/parsers/CustomRichEditParser.h"
#include "spell/parsers/StringParser.h"
#include "spell/parsers/WinAPIEditorSpellParser.h"

std::unique_ptr<TParser> CreateParserByKind(Byte kind, void* source, std::size_t capacity) {
    if (!source) return nullptr;
    auto* object = static_cast<TObject*>(source);
    switch (kind & 127) {
    case 0: return std::make_unique<TBufferParser>(static_cast<char*>(source), capacity);
    case 1: return std::make_unique<TStringParser>(static_cast<String*>(source));
    case 2:
        if (auto* r = dynamic_cast<TRichEdit*>(object)) return std::make_unique<TCustomRichEditParser>(r);
        return nullptr;
    case 3:
        if (auto* w = dynamic_cast<TWinControl*>(object)) return std::make_unique<TWinAPIEditorSpellParser>(w);
        return nullptr;
    case 4:
        if (auto* e = dynamic_cast<TCustomEdit*>(object)) return std::make_unique<TCustomEditParser>(e);
        return nullptr;
    case 5:
        if (auto* m = dynamic_cast<TCustomMemo*>(object)) return std::make_unique<TCustomMemoParser>(m);
        return nullptr;
    default: return nullptr;
    }
}

std::unique_ptr<TParser> CreateParserForControl(TControl* control) {
    if (auto* r = dynamic_cast<TRichEdit*>(control)) return std::make_unique<TCustomRichEditParser>(r);
    if (auto* m = dynamic_cast<TCustomMemo*>(control)) return std::make_unique<TCustomMemoParser>(m);
    if (auto* e = dynamic_cast<TCustomEdit*>(control)) return std::make_unique<TCustomEditParser>(e);
    return nullptr;
}

void FreeParser(std::unique_ptr<TParser>& parser) { parser.reset(); }
