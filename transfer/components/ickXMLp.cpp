#include "transfer/components/ickXMLp.h"

#include "transfer/components/EickXMLp.h"
#include "transfer/core/ErrorTexts.h"
#include "transfer/core/ParserCore.h"

namespace {
constexpr const char* SCreateError = "ICK ickXMLp: Error creating component";

// The unit's start-up: the core learns the module it serves before any
// component exists. This platform has no module handles; the unit's own
// address stands in for one, as it is just as unique.
char ModuleTag;
const int UnitStartup = XMLpCore::CoreSetInstance(&ModuleTag);
}  // namespace

TickXMLp::TickXMLp(TComponent* owner) : TickCore(owner) {
    FCore = XMLpCore::CoreCreate(this, &TickXMLp::DispatchCoreEvent);
    if (!FCore) RaiseCoreError(crNoSuchProperty, SCreateError);
}

TickXMLp::~TickXMLp() {
    if (FCore) XMLpCore::CoreDestroy(FCore);
    FCore = nullptr;
}

std::exception_ptr TickXMLp::MakeError(int code, const String& text) {
    return std::make_exception_ptr(EickXMLp(code, text));
}

const char* TickXMLp::CoreErrorText() const { return XMLpCore::CoreGetErrorText(FCore); }

void TickXMLp::SetProperty(int id, std::intptr_t value, std::ptrdiff_t length) {
    const int result = XMLpCore::CoreSetProperty(FCore, id, 0, value, length);
    if (result != 0) RaiseCoreError(result);
}

static String TextOf(std::intptr_t value) {
    const auto* text = reinterpret_cast<const char*>(value);
    return text ? String(text) : String();
}

String TickXMLp::ExtraNameChars() const {
    return TextOf(XMLpCore::CoreGetProperty(FCore, ppExtraNameChars, 0));
}
void TickXMLp::SetExtraNameChars(const String& value) {
    SetProperty(ppExtraNameChars, reinterpret_cast<std::intptr_t>(value.c_str()));
}
String TickXMLp::ExtraSpaceChars() const {
    return TextOf(XMLpCore::CoreGetProperty(FCore, ppExtraSpaceChars, 0));
}
void TickXMLp::SetExtraSpaceChars(const String& value) {
    SetProperty(ppExtraSpaceChars, reinterpret_cast<std::intptr_t>(value.c_str()));
}
bool TickXMLp::FlushOnEOL() const { return XMLpCore::CoreGetProperty(FCore, ppFlushOnEOL, 0) != 0; }
void TickXMLp::SetFlushOnEOL(bool value) { SetProperty(ppFlushOnEOL, value ? 1 : 0); }
bool TickXMLp::PreserveWhiteSpace() const {
    return XMLpCore::CoreGetProperty(FCore, ppPreserveWhiteSpace, 0) != 0;
}
void TickXMLp::SetPreserveWhiteSpace(bool value) { SetProperty(ppPreserveWhiteSpace, value ? 1 : 0); }

void TickXMLp::SetInputText(std::string_view text) {
    // A length of 0 would mean "zero-terminated" to the core.
    if (text.empty()) return;
    // Pages fed a byte at a time: one call instead of two per byte.
    if (text.size() == 1) {
        const auto c = static_cast<unsigned char>(text[0]);
        if (c != 0 && FCore->ParseByte(c) != 0) RaiseCoreError(FCore->SetPlainError(crOutOfMemory));
        return;
    }
    const int result = XMLpCore::CoreSetProperty(FCore, ppInputText, 0,
                                                 reinterpret_cast<std::intptr_t>(text.data()),
                                                 static_cast<std::ptrdiff_t>(text.size()));
    if (result != 0) RaiseCoreError(result);
}

void TickXMLp::SetEndOfInput(bool value) { SetProperty(ppEndOfInput, value ? 1 : 0); }

int TickXMLp::AttrCount() const {
    return static_cast<int>(XMLpCore::CoreGetProperty(FCore, ppAttrCount, 0));
}
String TickXMLp::AttrName(int index) const {
    return TextOf(XMLpCore::CoreGetProperty(FCore, ppAttrName, index));
}
String TickXMLp::AttrValue(int index) const {
    return TextOf(XMLpCore::CoreGetProperty(FCore, ppAttrValue, index));
}
int TickXMLp::CheckAttr(int index) const {
    return XMLpCore::CoreCheckProperty(FCore, ppAttrName, index);
}
String TickXMLp::ErrorText() const { return TextOf(reinterpret_cast<std::intptr_t>(CoreErrorText())); }

int TickXMLp::DispatchCoreEvent(void* owner, int id, int, TCoreEventBlock& block) {
    return static_cast<TickXMLp*>(owner)->Dispatch(id, block);
}

int TickXMLp::Dispatch(int id, TCoreEventBlock& block) {
    auto* const sender = static_cast<TObject*>(this);
    // Only assigned handlers cost anything: an unassigned one leaves the
    // block as the core filled it.
    const bool assigned = [&] {
        switch (id) {
            case peBeginElement: return bool(OnBeginElement);
            case peComment: return bool(OnComment);
            case peEndElement: return bool(OnEndElement);
            case peEmptyElement: return bool(OnEmptyElement);
            case peError: return bool(OnError);
            case peEvalEntity: return bool(OnEvalEntity);
            case peMeta: return bool(OnMeta);
            case pePI: return bool(OnPI);
            case peSpecialSection: return bool(OnSpecialSection);
            case peText: return bool(OnText);
            default: return false;
        }
    }();
    if (!assigned) return 0;

    if (static_cast<int>(FFrames.size()) <= FDepth) FFrames.push_back(std::make_unique<TArgFrame>());
    TArgFrame& frame = *FFrames[FDepth];
    // Copy the arguments out before any handler runs: the core's buffers
    // may change under a handler that feeds text or ends the input.
    frame.A.assign(id == peError ? "" : block.TextAt(0));
    if (id == peEvalEntity || id == peSpecialSection || id == peError)
        frame.B.assign(block.TextAt(1));
    struct Depth {
        int& D;
        explicit Depth(int& d) : D(d) { ++D; }
        ~Depth() { --D; }
    } depth(FDepth);

    switch (id) {
        case peBeginElement: OnBeginElement(sender, frame.A); break;
        case peComment: OnComment(sender, frame.A); break;
        case peEndElement: OnEndElement(sender, frame.A); break;
        case peEmptyElement: OnEmptyElement(sender, frame.A); break;
        case peError: OnError(sender, static_cast<int>(block.Args[0]), frame.B); break;
        case peEvalEntity:
            OnEvalEntity(sender, frame.A, frame.B);
            block.Args[1] = TCoreEventBlock::Text(frame.B.c_str());
            block.Results[0] = static_cast<std::intptr_t>(frame.B.size());
            break;
        case peMeta: OnMeta(sender, frame.A); break;
        case pePI: OnPI(sender, frame.A); break;
        case peSpecialSection: OnSpecialSection(sender, frame.A, frame.B); break;
        case peText: OnText(sender, frame.A); break;
    }
    return 0;
}
