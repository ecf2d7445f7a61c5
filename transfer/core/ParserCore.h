#pragma once
// The markup parser's engine: a state machine fed one byte at a time that
// turns 8-bit markup into events. It never rejects input; whatever does not
// fit a construct stays text or part of the construct being read. Its state
// survives between feeds, so a page may arrive in pieces of any size and
// still give the same events as when fed whole.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "transfer/core/CoreBase.h"
#include "transfer/core/CoreString.h"

// Property ids of the parser's call interface.
enum TParserProperty : int {
    ppAttrCount = 1,
    ppAttrName = 2,
    ppAttrValue = 3,
    ppExtraNameChars = 4,
    ppExtraSpaceChars = 5,
    ppFlushOnEOL = 6,
    ppInputText = 7,
    ppPreserveWhiteSpace = 8,
    ppEndOfInput = 9,
};

// Event ids: the positions of the component's events.
enum TParserEvent : int {
    peBeginElement = 1,
    peComment = 2,
    peEndElement = 3,
    peEmptyElement = 4,
    peError = 5,
    peEvalEntity = 6,
    peMeta = 7,
    pePI = 8,
    peSpecialSection = 9,
    peText = 10,
};

class ParserCore : public CoreBase {
public:
    static constexpr int MaxAttributes = 64;

    // Where the machine is in the markup. The values number the rows of
    // its per-state tables.
    enum class TState : std::uint8_t {
        Text = 0,               // text
        TagName = 1,            // start-tag name
        AfterLess = 2,          // after '<'
        InTag = 3,              // inside a start tag, between attributes
        AttrName = 4,           // attribute name
        AfterAttrName = 5,      // after an attribute name
        AfterEquals = 6,        // after '='
        UnquotedValue = 7,      // unquoted attribute value
        AfterMarkup = 8,        // just after a tag, comment, instruction or declaration
        AfterLineFeed = 9,      // after a line feed in text
        AfterLineFeedLess = 10, // after a line feed and '<'
        ApostropheValue = 11,   // apostrophe-quoted attribute value
        QuotedValue = 12,       // double-quoted attribute value
        EndTagName = 13,        // end-tag name
        TextEntity = 14,        // entity reference in text
        UnquotedEntity = 15,    // ... in an unquoted value
        ApostropheEntity = 16,  // ... in an apostrophe-quoted value
        QuotedEntity = 17,      // ... in a double-quoted value
        EndTagRest = 18,        // rest of an end tag, skipped
        AfterLessBangDash = 19, // after "<!-"
        Comment = 20,           // comment
        Instruction = 21,       // processing instruction
        AfterLessBang = 22,     // after "<!"
        Declaration = 23,       // declaration
        SectionBody = 24,       // special-section body
        SectionName = 25,       // special-section identifier
        DeclApostrophe = 26,    // apostrophe-quoted part of a declaration
        DeclQuoted = 27,        // double-quoted part of a declaration
        DeclBracket = 28,       // bracketed part of a declaration
    };
    static constexpr int StateCount = 29;
    static constexpr int Row(TState s) { return static_cast<int>(s); }

    ParserCore(void* owner, TCoreEventCallback callback);
    ~ParserCore() override;

    void Reset() override;

    // Feeds bytes up to the first zero byte or the end of the view. Returns
    // 0, or -1 when a buffer could not grow (parsing stops at that byte).
    int ParseText(std::string_view text);
    int ParseChar(unsigned char c);
    // ParseChar with the shortcut for bytes that only extend a run: the
    // cost of a page fed a byte at a time stays near that of a whole feed.
    int ParseByte(unsigned char c) {
        const int state = Row(FState);
        if (!FHasRun[state] || FStop[state][c]) [[unlikely]]
            return ParseChar(c);
        if (CoreString* buf = FRunBuf[state])
            if (buf->AppendChar(static_cast<char>(c)) != 0) return -1;
        FPrev2 = FPrev1;
        FPrev1 = c;
        return 0;
    }
    // Delivers pending text and returns to the initial state; safe to call
    // from any event handler while a feed runs.
    void EndOfInput();

    bool FlushOnEOL = true;
    bool PreserveWhiteSpace = false;
    int SetExtraNameChars(const char* chars);
    int SetExtraSpaceChars(const char* chars);
    const char* ExtraNameChars() const { return FExtraNameChars.Text(); }
    const char* ExtraSpaceChars() const { return FExtraSpaceChars.Text(); }

    // The attributes of the element being reported; count 0 outside
    // BeginElement and EmptyElement.
    int AttrCount() const { return FAttrsVisible ? FAttrCount : 0; }
    const CoreString& AttrName(int i) const { return FAttrNames[i]; }
    const CoreString& AttrValue(int i) const { return FAttrValues[i]; }

    TState State() const { return FState; }

private:
    enum : std::uint8_t { ccName = 1, ccSpace = 2, ccEntity = 4 };

    bool IsName(unsigned char c) const { return (FClass[c] & ccName) != 0; }
    bool IsSpace(unsigned char c) const { return (FClass[c] & ccSpace) != 0; }
    bool IsEntityChar(unsigned char c) const { return (FClass[c] & ccEntity) != 0; }
    void BuildTables();

    // Each returns false when a handler ended the input meanwhile, so the
    // step that fired it must not go on with what it had read.
    bool Fire1(int id, const CoreString& a);
    bool Fire2(int id, const CoreString& a, const CoreString& b);
    bool Flush();
    bool CloseTag();
    int StoreAttribute();
    // Returns -1 on allocation failure, 1 when the input was ended meanwhile.
    int ResolveEntity(unsigned char ending);

    void* FOwner;
    TCoreEventCallback FCallback;

    TState FState = TState::Text;
    unsigned char FPrev1 = 0;
    unsigned char FPrev2 = 0;
    // Counts resets, so a step can tell that a handler ended the input.
    unsigned FGeneration = 0;

    CoreString FTextBuf;
    // Takes the text over while its handler runs (see Flush).
    CoreString FDelivered;
    CoreString FEntityName;
    CoreString FToken;
    CoreString FEntityValue;
    CoreString FElementName;
    CoreString FAttrName;
    CoreString FExtraNameChars;
    CoreString FExtraSpaceChars;

    int FAttrCount = 0;
    bool FAttrsVisible = false;
    CoreString FAttrNames[MaxAttributes];
    CoreString FAttrValues[MaxAttributes];

    std::uint8_t FClass[256] = {};
    // Per state: the bytes that end a run the state simply collects, and
    // the buffer it collects them in (none for runs it skips). States
    // without a run read byte by byte.
    std::uint8_t FStop[StateCount][256] = {};
    bool FHasRun[StateCount] = {};
    CoreString* FRunBuf[StateCount] = {};
};

// The parser's flat call interface, used by its component.
namespace XMLpCore {
ParserCore* CoreCreate(void* owner, TCoreEventCallback callback);
int CoreDestroy(ParserCore* core);
std::intptr_t CoreGetProperty(ParserCore* core, int id, int index);
int CoreSetProperty(ParserCore* core, int id, int index, std::intptr_t value,
                    std::ptrdiff_t length);
const char* CoreGetErrorText(ParserCore* core);
int CoreSetInstance(void* instance);
void* CoreInstance();
int CoreCheckProperty(ParserCore* core, int id, int index);
int CoreProcessMessage(ParserCore* core);
}  // namespace XMLpCore
