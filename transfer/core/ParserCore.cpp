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
    CoreBase::Reset();
    FState = 0;
    FPrev1 = FPrev2 = 0;
    FAttrCount = 0;
    FlushOnEOL = true;
    PreserveWhiteSpace = false;
    FExtraNameChars.Clear();
    FExtraSpaceChars.Clear();
    BuildTables();
}

void ParserCore::BuildTables() {
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
    auto run = [this](int state, CoreString* buf, auto collects) {
        FHasRun[state] = true;
        FRunBuf[state] = buf;
        for (int c = 1; c < 256; ++c)
            FStop[state][c] = collects(static_cast<unsigned char>(c)) ? 0 : 1;
    };
    auto notIn = [](const char* set) {
        return [set](unsigned char c) { return std::strchr(set, c) == nullptr; };
    };
    run(0, &FTextBuf, notIn("\n&<"));
    run(1, &FToken, [this](unsigned char c) { return IsName(c); });
    run(4, &FToken, [this](unsigned char c) {
        return !IsSpace(c) && c != '>' && c != '=' && c != '/';
    });
    run(7, &FToken, [this](unsigned char c) { return c != '&' && !IsSpace(c) && c != '>'; });
    run(11, &FToken, notIn("&'"));
    run(12, &FToken, notIn("&\""));
    run(13, &FToken, [this](unsigned char c) { return IsName(c); });
    for (int s : {14, 15, 16, 17})
        run(s, &FEntityName, [this](unsigned char c) { return IsEntityChar(c); });
    run(18, nullptr, notIn(">"));
    run(20, &FToken, notIn(">"));
    run(21, &FToken, notIn(">"));
    run(23, &FToken, notIn(">[\"'"));
    run(24, &FTextBuf, notIn(">"));
    run(25, &FToken, [this](unsigned char c) { return c != '[' && !IsSpace(c); });
    run(26, &FToken, notIn("'"));
    run(27, &FToken, notIn("\""));
    run(28, &FToken, notIn("]"));
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
    FState = 8;
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
    ++FGeneration;
    // Leave the state first: a handler reached from here may end the input
    // again and must find nothing left to deliver.
    const int state = FState;
    FState = 0;
    // A '<' that nothing followed is text, as one followed by a blank is;
    // dropping it would lose the last character of "a <".
    if (state == 10) {
        FTextBuf.AppendChar('\n');
        if (FlushOnEOL) Flush();
    }
    if (state == 2 || state == 10) FTextBuf.AppendChar('<');
    Flush();
    FState = 0;
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
        const int state = FState;
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
    for (;;) {
        switch (FState) {
            case 0:  // text
                if (c == '\n') {
                    FState = 9;
                } else if (c == '&') {
                    FEntityName.Truncate();
                    FState = 14;
                } else if (c == '<') {
                    FToken.Truncate();
                    FState = 2;
                } else {
                    VELMOR_APPEND(FTextBuf, c);
                }
                break;

            case 1:  // start-tag name
                if (IsName(c)) {
                    VELMOR_APPEND(FToken, c);
                } else if (c == '!' || c == '?') {
                    FToken.Truncate();
                    Flush();
                    FState = c == '!' ? 22 : 21;
                } else if (c == '/' && FPrev1 == '<') {
                    FState = 13;
                } else {
                    if (!Flush()) {
                        // The input ended under the tag: skip what is left of it.
                        FState = c == '>' ? 8 : 18;
                        break;
                    }
                    FElementName.Swap(FToken);
                    FToken.Truncate();
                    FAttrName.Truncate();
                    if (c == '>')
                        CloseTag();
                    else
                        FState = 3;
                }
                break;

            case 2:  // after '<'
                if (IsName(c) || c == '/' || c == '?' || c == '!') {
                    FState = 1;
                } else {
                    VELMOR_APPEND(FTextBuf, '<');
                    FState = 0;
                }
                continue;

            case 3:  // inside a start tag
                if (IsSpace(c) || c == '/') {
                } else if (c == '>') {
                    CloseTag();
                } else {
                    VELMOR_APPEND(FToken, c);
                    FState = 4;
                }
                break;

            case 4:  // attribute name
                if (!IsSpace(c) && c != '>' && c != '=' && c != '/') {
                    VELMOR_APPEND(FToken, c);
                    break;
                }
                FAttrName.Swap(FToken);
                FToken.Truncate();
                if (IsSpace(c)) {
                    FState = 5;
                } else if (c == '=') {
                    FState = 6;
                } else {
                    StoreAttribute();
                    if (c == '/')
                        FState = 3;
                    else
                        CloseTag();
                }
                break;

            case 5:  // after an attribute name
                if (IsSpace(c)) {
                } else if (c == '=') {
                    FState = 6;
                } else if (c == '/') {
                    StoreAttribute();
                    FState = 3;
                } else if (c == '>') {
                    StoreAttribute();
                    CloseTag();
                } else {
                    StoreAttribute();
                    VELMOR_APPEND(FToken, c);
                    FState = 4;
                }
                break;

            case 6:  // after '='
                if (IsSpace(c)) {
                } else if (c == '"') {
                    FState = 12;
                } else if (c == '\'') {
                    FState = 11;
                } else if (c == '&') {
                    FEntityName.Truncate();
                    FState = 15;
                } else if (c == '>') {
                    StoreAttribute();
                    CloseTag();
                } else {
                    VELMOR_APPEND(FToken, c);
                    FState = 7;
                }
                break;

            case 7:  // unquoted value
                if (c == '&') {
                    FEntityName.Truncate();
                    FState = 15;
                } else if (IsSpace(c)) {
                    StoreAttribute();
                    FState = 3;
                } else if (c == '>') {
                    if (FPrev1 == '/') FToken.DropLast();
                    StoreAttribute();
                    CloseTag();
                } else {
                    VELMOR_APPEND(FToken, c);
                }
                break;

            case 8:  // just after a tag, comment, instruction or declaration
                if (c == '\n' && !PreserveWhiteSpace) break;
                FState = 0;
                continue;

            case 9:  // after a line feed in text
                if (c == '<') {
                    FToken.Truncate();
                    FState = 10;
                    break;
                }
                VELMOR_APPEND(FTextBuf, '\n');
                if (FlushOnEOL) Flush();
                FState = 0;
                continue;

            case 10:  // after a line feed and '<'
                if (!(c == '/' && !PreserveWhiteSpace)) {
                    VELMOR_APPEND(FTextBuf, '\n');
                    if (FlushOnEOL) Flush();
                }
                FState = 2;
                continue;

            case 11:  // apostrophe-quoted value
            case 12:  // double-quoted value
                if (c == '&') {
                    FEntityName.Truncate();
                    FState = FState == 11 ? 16 : 17;
                } else if (c == (FState == 11 ? '\'' : '"')) {
                    StoreAttribute();
                    FState = 3;
                } else {
                    VELMOR_APPEND(FToken, c);
                }
                break;

            case 13:  // end-tag name
                if (IsName(c)) {
                    VELMOR_APPEND(FToken, c);
                    break;
                }
                if (Flush()) Fire1(peEndElement, FToken);
                FToken.Truncate();
                FState = c == '>' ? 0 : 18;
                break;

            case 14:  // entity reference in text
                if (IsEntityChar(c)) {
                    VELMOR_APPEND(FEntityName, c);
                    break;
                } else {
                    const int r = ResolveEntity(c);
                    if (r < 0) return -1;
                    if (r == 0 && FTextBuf.Append(FEntityValue.Text(), FEntityValue.Length()) != 0)
                        return -1;
                    FState = 0;
                    if (c == ';') break;
                    continue;
                }

            case 15:  // entity reference in an unquoted value
            case 16:  // ... in an apostrophe-quoted value
            case 17:  // ... in a double-quoted value
                if (IsEntityChar(c)) {
                    VELMOR_APPEND(FEntityName, c);
                    break;
                } else {
                    const int back = FState == 15 ? 7 : FState == 16 ? 11 : 12;
                    const int r = ResolveEntity(c);
                    if (r < 0) return -1;
                    if (r == 0 && FToken.Append(FEntityValue.Text(), FEntityValue.Length()) != 0)
                        return -1;
                    // An attribute value cut off by the end of input: skip the tag.
                    FState = r == 0 ? back : 18;
                    if (c == ';') break;
                    continue;
                }

            case 18:  // rest of an end tag
                if (c == '>') FState = 0;
                break;

            case 19:  // after "<!-"
                if (c == '-') {
                    FToken.Truncate();
                    FState = 20;
                } else {
                    VELMOR_APPEND(FToken, c);
                    FState = 23;
                }
                break;

            case 20:  // comment
                if (c == '>' && FPrev1 == '-' && FPrev2 == '-') {
                    FToken.DropLast();
                    FToken.DropLast();
                    if (Flush()) Fire1(peComment, FToken);
                    FToken.Truncate();
                    FState = 8;
                } else {
                    VELMOR_APPEND(FToken, c);
                }
                break;

            case 21:  // processing instruction
                if (c == '>' && FPrev1 == '?') {
                    FToken.DropLast();
                    if (Flush()) Fire1(pePI, FToken);
                    FToken.Truncate();
                    FState = 8;
                } else {
                    VELMOR_APPEND(FToken, c);
                }
                break;

            case 22:  // after "<!"
                if (c == '[') {
                    FState = 25;
                } else {
                    VELMOR_APPEND(FToken, c);
                    FState = c == '-' ? 19 : 23;
                }
                break;

            case 23:  // declaration
                if (c == '>') {
                    if (Flush()) Fire1(peMeta, FToken);
                    FToken.Truncate();
                    FState = 8;
                    break;
                }
                VELMOR_APPEND(FToken, c);
                if (c == '[')
                    FState = 28;
                else if (c == '"')
                    FState = 27;
                else if (c == '\'')
                    FState = 26;
                break;

            case 24:  // special-section body
                if (c == '>' && FPrev1 == ']' && FPrev2 == ']') {
                    FTextBuf.DropLast();
                    FTextBuf.DropLast();
                    CoreString body;
                    body.Swap(FTextBuf);
                    Fire2(peSpecialSection, FToken, body);
                    FToken.Truncate();
                    FState = 0;
                } else {
                    VELMOR_APPEND(FTextBuf, c);
                }
                break;

            case 25:  // special-section identifier
                if (c == '[')
                    FState = 24;
                else if (!IsSpace(c))
                    VELMOR_APPEND(FToken, c);
                break;

            case 26:  // apostrophe-quoted part of a declaration
            case 27:  // double-quoted part
            case 28:  // bracketed part
                VELMOR_APPEND(FToken, c);
                if (c == (FState == 26 ? '\'' : FState == 27 ? '"' : ']')) FState = 23;
                break;

            default:
                FState = 0;
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
