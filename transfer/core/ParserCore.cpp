#include "transfer/core/ParserCore.h"

#include <cstring>
#include <new>

#include "transfer/core/ErrorTexts.h"

namespace {
void* ModuleInstance = nullptr;

constexpr const char* SNoAttributes = "No attributes available.";
constexpr const char* SBadAttrIndex = "Invalid attribute index.";

// Text runs between two flushes are rarely longer; with both text buffers
// outside the object, handing a text over is a pointer swap.
constexpr std::ptrdiff_t TextBlock = 4096;
}  // namespace

#define VELMOR_APPEND(buf, ch)                                          \
    do {                                                                \
        if ((buf).AppendChar(static_cast<char>(ch)) != 0) return -1;    \
    } while (0)

ParserCore::ParserCore(void* owner, TCoreEventCallback callback)
    : FOwner(owner), FCallback(callback) {
    // Without these blocks the buffers simply stay inline.
    FTextBuf.Reserve(TextBlock);
    FDelivered.Reserve(TextBlock);
    BuildTables();
}

ParserCore::~ParserCore() = default;

void ParserCore::Reset() {
    using enum TState;
    CoreBase::Reset();
    FState = Text;
    FPrev1 = FPrev2 = 0;
    FAttrCount = 0;
    FlushOnEOL = true;
    PreserveWhiteSpace = false;
    FExtraNameChars.Clear();
    FExtraSpaceChars.Clear();
    BuildTables();
}

void ParserCore::BuildTables() {
    using enum TState;
    std::memset(FClass, 0, sizeof FClass);
    for (int c = '0'; c <= '9'; ++c) FClass[c] |= ccName | ccEntity;
    for (int c = 'A'; c <= 'Z'; ++c) FClass[c] |= ccName | ccEntity;
    for (int c = 'a'; c <= 'z'; ++c) FClass[c] |= ccName | ccEntity;
    FClass[static_cast<unsigned char>('#')] |= ccEntity;
    for (const char* p = FExtraNameChars.Text(); *p; ++p)
        FClass[static_cast<unsigned char>(*p)] |= ccName | ccEntity;
    for (int c : {32, 9, 10, 13, 12, 11}) FClass[c] |= ccSpace;
    for (const char* p = FExtraSpaceChars.Text(); *p; ++p)
        FClass[static_cast<unsigned char>(*p)] |= ccSpace;

    // A state collects a run of bytes when every byte outside its stop set
    // gets the same plain action; such runs are then taken in one go.
    std::memset(FStop, 1, sizeof FStop);
    std::memset(FHasRun, 0, sizeof FHasRun);
    std::memset(FRunBuf, 0, sizeof FRunBuf);
    auto run = [this](TState s, CoreString* buf, auto collects) {
        const int state = Row(s);
        FHasRun[state] = true;
        FRunBuf[state] = buf;
        for (int c = 1; c < 256; ++c)
            FStop[state][c] = collects(static_cast<unsigned char>(c)) ? 0 : 1;
    };
    auto notIn = [](const char* set) {
        return [set](unsigned char c) { return std::strchr(set, c) == nullptr; };
    };
    run(Text, &FTextBuf, notIn("\n&<"));
    run(TagName, &FToken, [this](unsigned char c) { return IsName(c); });
    run(AttrName, &FToken, [this](unsigned char c) {
        return !IsSpace(c) && c != '>' && c != '=' && c != '/';
    });
    run(UnquotedValue, &FToken, [this](unsigned char c) { return c != '&' && !IsSpace(c) && c != '>'; });
    run(ApostropheValue, &FToken, notIn("&'"));
    run(QuotedValue, &FToken, notIn("&\""));
    run(EndTagName, &FToken, [this](unsigned char c) { return IsName(c); });
    for (const TState s : {TextEntity, UnquotedEntity, ApostropheEntity, QuotedEntity})
        run(s, &FEntityName, [this](unsigned char c) { return IsEntityChar(c); });
    run(EndTagRest, nullptr, notIn(">"));
    run(Comment, &FToken, notIn(">"));
    run(Instruction, &FToken, notIn(">"));
    run(Declaration, &FToken, notIn(">[\"'"));
    run(SectionBody, &FTextBuf, notIn(">"));
    run(SectionName, &FToken, [this](unsigned char c) { return c != '[' && !IsSpace(c); });
    run(DeclApostrophe, &FToken, notIn("'"));
    run(DeclQuoted, &FToken, notIn("\""));
    run(DeclBracket, &FToken, notIn("]"));
}

int ParserCore::SetExtraNameChars(const char* chars) {
    if (FExtraNameChars.Assign(chars ? chars : "") != 0) return -1;
    BuildTables();
    return 0;
}

int ParserCore::SetExtraSpaceChars(const char* chars) {
    if (FExtraSpaceChars.Assign(chars ? chars : "") != 0) return -1;
    BuildTables();
    return 0;
}

bool ParserCore::Fire1(int id, const CoreString& a) {
    const unsigned generation = FGeneration;
    TCoreEventBlock block;
    block.Args[0] = TCoreEventBlock::Text(a.Text());
    FCallback(FOwner, id, 1, block);
    return generation == FGeneration;
}

bool ParserCore::Fire2(int id, const CoreString& a, const CoreString& b) {
    const unsigned generation = FGeneration;
    TCoreEventBlock block;
    block.Args[0] = TCoreEventBlock::Text(a.Text());
    block.Args[1] = TCoreEventBlock::Text(b.Text());
    FCallback(FOwner, id, 2, block);
    return generation == FGeneration;
}

bool ParserCore::Flush() {
    if (FTextBuf.Empty()) return true;
    // The text leaves the buffer before its handler runs: a handler that
    // ends the input or feeds more text must find the buffer empty, not
    // deliver the same text again.
    FDelivered.Truncate();
    FDelivered.Swap(FTextBuf);
    const bool live = Fire1(peText, FDelivered);
    // Keep the larger block for the next text instead of allocating anew.
    if (FTextBuf.Empty() && FDelivered.Capacity() > FTextBuf.Capacity()) {
        FDelivered.Truncate();
        FTextBuf.Swap(FDelivered);
    }
    return live;
}

bool ParserCore::CloseTag() {
    using enum TState;
    const int id = FPrev1 == '/' ? peEmptyElement : peBeginElement;
    // Attribute reads answer only while the element's own event runs, even
    // when its handler throws.
    struct Visible {
        bool& Flag;
        explicit Visible(bool& f) : Flag(f) { Flag = true; }
        ~Visible() { Flag = false; }
    };
    bool live;
    {
        Visible visible(FAttrsVisible);
        live = Fire1(id, FElementName);
    }
    FElementName.Truncate();
    FAttrCount = 0;
    FState = AfterMarkup;
    return live;
}

int ParserCore::StoreAttribute() {
    if (FAttrCount < MaxAttributes) {
        CoreString& name = FAttrNames[FAttrCount];
        CoreString& value = FAttrValues[FAttrCount];
        // A slot that cannot take the text drops the attribute, as the
        // 65th would be.
        if (name.Assign(FAttrName.Text(), FAttrName.Length()) == 0 &&
            value.Assign(FToken.Text(), FToken.Length()) == 0)
            ++FAttrCount;
    }
    FAttrName.Truncate();
    FToken.Truncate();
    return 0;
}

int ParserCore::ResolveEntity(unsigned char ending) {
    if (!Flush()) return 1;
    if (FEntityValue.Assign("&", 1) != 0 ||
        FEntityValue.Append(FEntityName.Text(), FEntityName.Length()) != 0 ||
        (ending == ';' && FEntityValue.AppendChar(';') != 0))
        return -1;
    const unsigned generation = FGeneration;
    TCoreEventBlock block;
    const std::intptr_t own = TCoreEventBlock::Text(FEntityValue.Text());
    block.Args[0] = TCoreEventBlock::Text(FEntityName.Text());
    block.Args[1] = own;
    FCallback(FOwner, peEvalEntity, 2, block);
    if (generation != FGeneration) return 1;
    if (block.Args[1] != own &&
        FEntityValue.Assign(block.TextAt(1), static_cast<std::ptrdiff_t>(block.Results[0])) != 0)
        return -1;
    FEntityName.Truncate();
    return 0;
}

void ParserCore::EndOfInput() {
    using enum TState;
    ++FGeneration;
    // Leave the state first: a handler reached from here may end the input
    // again and must find nothing left to deliver.
    const TState state = FState;
    FState = Text;
    // A '<' that nothing followed is text, as one followed by a blank is;
    // dropping it would lose the last character of "a <".
    if (state == AfterLineFeedLess) {
        FTextBuf.AppendChar('\n');
        if (FlushOnEOL) Flush();
    }
    if (state == AfterLess || state == AfterLineFeedLess) FTextBuf.AppendChar('<');
    Flush();
    FState = Text;
    FTextBuf.Truncate();
    FToken.Clear();
    FEntityName.Clear();
    FEntityValue.Clear();
    FElementName.Clear();
    FAttrName.Clear();
    FAttrCount = 0;
}

int ParserCore::ParseText(std::string_view text) {
    // A page fed a byte at a time skips the run machinery.
    if (text.size() == 1) {
        const auto c = static_cast<unsigned char>(text[0]);
        return c == 0 ? 0 : ParseByte(c);
    }
    auto p = reinterpret_cast<const unsigned char*>(text.data());
    const auto end = p + text.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c == 0) break;
        const int state = Row(FState);
        if (FHasRun[state] && !FStop[state][c]) {
            const std::uint8_t* stop = FStop[state];
            const unsigned char* q = p + 1;
            while (q < end && !stop[*q]) ++q;
            const std::ptrdiff_t n = q - p;
            if (CoreString* buf = FRunBuf[state]) {
                const int r = n == 1 ? buf->AppendChar(static_cast<char>(c))
                                     : buf->Append(reinterpret_cast<const char*>(p), n);
                if (r != 0) return -1;
            }
            FPrev2 = n == 1 ? FPrev1 : q[-2];
            FPrev1 = q[-1];
            p = q;
            continue;
        }
        if (ParseChar(c) != 0) return -1;
        ++p;
    }
    return 0;
}

int ParserCore::ParseChar(unsigned char c) {
    using enum TState;
    for (;;) {
        switch (FState) {
            case Text:
                if (c == '\n') {
                    FState = AfterLineFeed;
                } else if (c == '&') {
                    FEntityName.Truncate();
                    FState = TextEntity;
                } else if (c == '<') {
                    FToken.Truncate();
                    FState = AfterLess;
                } else {
                    VELMOR_APPEND(FTextBuf, c);
                }
                break;

            case TagName:
                if (IsName(c)) {
                    VELMOR_APPEND(FToken, c);
                } else if (c == '!' || c == '?') {
                    FToken.Truncate();
                    Flush();
                    FState = c == '!' ? AfterLessBang : Instruction;
                } else if (c == '/' && FPrev1 == '<') {
                    FState = EndTagName;
                } else {
                    if (!Flush()) {
                        // The input ended under the tag: skip what is left of it.
                        FState = c == '>' ? AfterMarkup : EndTagRest;
                        break;
                    }
                    FElementName.Swap(FToken);
                    FToken.Truncate();
                    FAttrName.Truncate();
                    if (c == '>')
                        CloseTag();
                    else
                        FState = InTag;
                }
                break;

            case AfterLess:
                if (IsName(c) || c == '/' || c == '?' || c == '!') {
                    FState = TagName;
                } else {
                    VELMOR_APPEND(FTextBuf, '<');
                    FState = Text;
                }
                continue;

            case InTag:
                if (IsSpace(c) || c == '/') {
                } else if (c == '>') {
                    CloseTag();
                } else {
                    VELMOR_APPEND(FToken, c);
                    FState = AttrName;
                }
                break;

            case AttrName:
                if (!IsSpace(c) && c != '>' && c != '=' && c != '/') {
                    VELMOR_APPEND(FToken, c);
                    break;
                }
                FAttrName.Swap(FToken);
                FToken.Truncate();
                if (IsSpace(c)) {
                    FState = AfterAttrName;
                } else if (c == '=') {
                    FState = AfterEquals;
                } else {
                    StoreAttribute();
                    if (c == '/')
                        FState = InTag;
                    else
                        CloseTag();
                }
                break;

            case AfterAttrName:
                if (IsSpace(c)) {
                } else if (c == '=') {
                    FState = AfterEquals;
                } else if (c == '/') {
                    StoreAttribute();
                    FState = InTag;
                } else if (c == '>') {
                    StoreAttribute();
                    CloseTag();
                } else {
                    StoreAttribute();
                    VELMOR_APPEND(FToken, c);
                    FState = AttrName;
                }
                break;

            case AfterEquals:
                if (IsSpace(c)) {
                } else if (c == '"') {
                    FState = QuotedValue;
                } else if (c == '\'') {
                    FState = ApostropheValue;
                } else if (c == '&') {
                    FEntityName.Truncate();
                    FState = UnquotedEntity;
                } else if (c == '>') {
                    StoreAttribute();
                    CloseTag();
                } else {
                    VELMOR_APPEND(FToken, c);
                    FState = UnquotedValue;
                }
                break;

            case UnquotedValue:
                if (c == '&') {
                    FEntityName.Truncate();
                    FState = UnquotedEntity;
                } else if (IsSpace(c)) {
                    StoreAttribute();
                    FState = InTag;
                } else if (c == '>') {
                    if (FPrev1 == '/') FToken.DropLast();
                    StoreAttribute();
                    CloseTag();
                } else {
                    VELMOR_APPEND(FToken, c);
                }
                break;

            case AfterMarkup:
                if (c == '\n' && !PreserveWhiteSpace) break;
                FState = Text;
                continue;

            case AfterLineFeed:
                if (c == '<') {
                    FToken.Truncate();
                    FState = AfterLineFeedLess;
                    break;
                }
                VELMOR_APPEND(FTextBuf, '\n');
                if (FlushOnEOL) Flush();
                FState = Text;
                continue;

            case AfterLineFeedLess:
                if (!(c == '/' && !PreserveWhiteSpace)) {
                    VELMOR_APPEND(FTextBuf, '\n');
                    if (FlushOnEOL) Flush();
                }
                FState = AfterLess;
                continue;

            case ApostropheValue:
            case QuotedValue:
                if (c == '&') {
                    FEntityName.Truncate();
                    FState = FState == ApostropheValue ? ApostropheEntity : QuotedEntity;
                } else if (c == (FState == ApostropheValue ? '\'' : '"')) {
                    StoreAttribute();
                    FState = InTag;
                } else {
                    VELMOR_APPEND(FToken, c);
                }
                break;

            case EndTagName:
                if (IsName(c)) {
                    VELMOR_APPEND(FToken, c);
                    break;
                }
                if (Flush()) Fire1(peEndElement, FToken);
                FToken.Truncate();
                FState = c == '>' ? Text : EndTagRest;
                break;

            case TextEntity:
                if (IsEntityChar(c)) {
                    VELMOR_APPEND(FEntityName, c);
                    break;
                } else {
                    const int r = ResolveEntity(c);
                    if (r < 0) return -1;
                    if (r == 0 && FTextBuf.Append(FEntityValue.Text(), FEntityValue.Length()) != 0)
                        return -1;
                    FState = Text;
                    if (c == ';') break;
                    continue;
                }

            case UnquotedEntity:
            case ApostropheEntity:
            case QuotedEntity:
                if (IsEntityChar(c)) {
                    VELMOR_APPEND(FEntityName, c);
                    break;
                } else {
                    const TState back = FState == UnquotedEntity     ? UnquotedValue
                                       : FState == ApostropheEntity ? ApostropheValue
                                                                    : QuotedValue;
                    const int r = ResolveEntity(c);
                    if (r < 0) return -1;
                    if (r == 0 && FToken.Append(FEntityValue.Text(), FEntityValue.Length()) != 0)
                        return -1;
                    // An attribute value cut off by the end of input: skip the tag.
                    FState = r == 0 ? back : EndTagRest;
                    if (c == ';') break;
                    continue;
                }

            case EndTagRest:
                if (c == '>') FState = Text;
                break;

            case AfterLessBangDash:
                if (c == '-') {
                    FToken.Truncate();
                    FState = Comment;
                } else {
                    VELMOR_APPEND(FToken, c);
                    FState = Declaration;
                }
                break;

            case Comment:
                if (c == '>' && FPrev1 == '-' && FPrev2 == '-') {
                    FToken.DropLast();
                    FToken.DropLast();
                    if (Flush()) Fire1(peComment, FToken);
                    FToken.Truncate();
                    FState = AfterMarkup;
                } else {
                    VELMOR_APPEND(FToken, c);
                }
                break;

            case Instruction:
                if (c == '>' && FPrev1 == '?') {
                    FToken.DropLast();
                    if (Flush()) Fire1(pePI, FToken);
                    FToken.Truncate();
                    FState = AfterMarkup;
                } else {
                    VELMOR_APPEND(FToken, c);
                }
                break;

            case AfterLessBang:
                if (c == '[') {
                    FState = SectionName;
                } else {
                    VELMOR_APPEND(FToken, c);
                    FState = c == '-' ? AfterLessBangDash : Declaration;
                }
                break;

            case Declaration:
                if (c == '>') {
                    if (Flush()) Fire1(peMeta, FToken);
                    FToken.Truncate();
                    FState = AfterMarkup;
                    break;
                }
                VELMOR_APPEND(FToken, c);
                if (c == '[')
                    FState = DeclBracket;
                else if (c == '"')
                    FState = DeclQuoted;
                else if (c == '\'')
                    FState = DeclApostrophe;
                break;

            case SectionBody:
                if (c == '>' && FPrev1 == ']' && FPrev2 == ']') {
                    FTextBuf.DropLast();
                    FTextBuf.DropLast();
                    CoreString body;
                    body.Swap(FTextBuf);
                    Fire2(peSpecialSection, FToken, body);
                    FToken.Truncate();
                    FState = Text;
                } else {
                    VELMOR_APPEND(FTextBuf, c);
                }
                break;

            case SectionName:
                if (c == '[')
                    FState = SectionBody;
                else if (!IsSpace(c))
                    VELMOR_APPEND(FToken, c);
                break;

            case DeclApostrophe:
            case DeclQuoted:
            case DeclBracket:
                VELMOR_APPEND(FToken, c);
                if (c == (FState == DeclApostrophe ? '\'' : FState == DeclQuoted ? '"' : ']')) FState = Declaration;
                break;

            default:
                FState = Text;
                continue;
        }
        FPrev2 = FPrev1;
        FPrev1 = c;
        return 0;
    }
}

// --- the call interface ---

namespace XMLpCore {

ParserCore* CoreCreate(void* owner, TCoreEventCallback callback) {
    auto* core = new (std::nothrow) ParserCore(owner, callback);
    if (core) core->Reset();
    return core;
}

int CoreDestroy(ParserCore* core) {
    if (core) {
        core->DestroyCore();
        core->Release();
    }
    return 0;
}

static bool AttributeReadable(ParserCore* core, int index) {
    if (core->AttrCount() == 0) {
        core->SetErrorText(SNoAttributes);
        return false;
    }
    if (index < 1 || index > core->AttrCount()) {
        core->SetErrorText(SBadAttrIndex);
        return false;
    }
    return true;
}

std::intptr_t CoreGetProperty(ParserCore* core, int id, int index) {
    if (!core) return 0;
    switch (id) {
        case ppAttrCount:
            return core->AttrCount();
        case ppAttrName:
        case ppAttrValue:
            if (!AttributeReadable(core, index)) return 0;
            return TCoreEventBlock::Text(id == ppAttrName ? core->AttrName(index - 1).Text()
                                                          : core->AttrValue(index - 1).Text());
        case ppExtraNameChars:
            return TCoreEventBlock::Text(core->ExtraNameChars());
        case ppExtraSpaceChars:
            return TCoreEventBlock::Text(core->ExtraSpaceChars());
        case ppFlushOnEOL:
            return core->FlushOnEOL ? 1 : 0;
        case ppPreserveWhiteSpace:
            return core->PreserveWhiteSpace ? 1 : 0;
        default:
            return 0;
    }
}

int CoreSetProperty(ParserCore* core, int id, int /*index*/, std::intptr_t value,
                    std::ptrdiff_t length) {
    if (!core) return crNoSuchProperty;
    const auto* text = reinterpret_cast<const char*>(value);
    // Feeding comes first: a page may arrive a byte at a time.
    if (id == ppInputText) {
        if (!text) return crOK;
        if (length == 1) {
            const auto c = static_cast<unsigned char>(*text);
            if (c == 0 || core->ParseByte(c) == 0) return crOK;
            return core->SetPlainError(crOutOfMemory);
        }
        const std::size_t n = length > 0 ? static_cast<std::size_t>(length) : std::strlen(text);
        return core->ParseText(std::string_view(text, n)) == 0 ? crOK : core->SetPlainError(crOutOfMemory);
    }
    int result = crOK;
    switch (id) {
        case ppExtraNameChars:
            if (core->SetExtraNameChars(text) != 0) result = crOutOfMemory;
            break;
        case ppExtraSpaceChars:
            if (core->SetExtraSpaceChars(text) != 0) result = crOutOfMemory;
            break;
        case ppFlushOnEOL:
            core->FlushOnEOL = value != 0;
            break;
        case ppPreserveWhiteSpace:
            core->PreserveWhiteSpace = value != 0;
            break;
        case ppEndOfInput:
            if (value) core->EndOfInput();
            break;
        default:
            result = crNoSuchProperty;
            break;
    }
    return core->SetPlainError(result);
}

const char* CoreGetErrorText(ParserCore* core) { return core ? core->ErrorText() : nullptr; }

int CoreSetInstance(void* instance) {
    ModuleInstance = instance;
    return 0;
}

void* CoreInstance() { return ModuleInstance; }

int CoreCheckProperty(ParserCore* core, int id, int index) {
    if (!core) return crCheckVarIndex;
    if (id != ppAttrName && id != ppAttrValue) return 0;
    return AttributeReadable(core, index) ? 0 : crCheckVarIndex;
}

int CoreProcessMessage(ParserCore*) { return 0; }

}  // namespace XMLpCore
