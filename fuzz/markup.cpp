// The markup parser: any bytes parse, and a page gives the same events
// whether it arrives whole or in two pieces.
#include <string>
#include <vector>

#include "fuzz/FuzzInput.h"
#include "transfer/components/ickXMLp.h"

namespace {
std::string Events(const std::string& text, std::size_t cut) {
    std::string out;
    TickXMLp parser(nullptr);
    auto element = [&](char kind, const String& name) {
        out += kind + name;
        for (int i = 1; i <= parser.AttrCount(); ++i) out += " " + parser.AttrName(i) + "=" + parser.AttrValue(i);
        out += '\n';
    };
    auto text1 = [&](char kind, const String& t) { (out += kind) += t + '\n'; };
    parser.OnBeginElement = [&](TObject*, const String& n) { element('B', n); };
    parser.OnEmptyElement = [&](TObject*, const String& n) { element('E', n); };
    parser.OnEndElement = [&](TObject*, const String& n) { text1('/', n); };
    parser.OnText = [&](TObject*, const String& t) { text1('T', t); };
    parser.OnComment = [&](TObject*, const String& t) { text1('C', t); };
    parser.OnPI = [&](TObject*, const String& t) { text1('P', t); };
    parser.OnMeta = [&](TObject*, const String& t) { text1('M', t); };
    parser.OnSpecialSection = [&](TObject*, const String& id, const String& t) { text1('S', id + "," + t); };
    parser.OnEvalEntity = [&](TObject*, const String& e, String&) { text1('X', e); };
    parser.SetInputText(std::string_view(text).substr(0, cut));
    parser.SetInputText(std::string_view(text).substr(cut));
    parser.SetEndOfInput(true);
    return out;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text = fuzz::Text(data, size);
    // A zero byte ends the text; both feeds must see the same text.
    text = text.substr(0, text.find('\0'));
    const std::size_t cut = text.empty() ? 0 : static_cast<unsigned char>(text[0]) % (text.size() + 1);
    if (Events(text, text.size()) != Events(text, cut)) __builtin_trap();
    return 0;
}
