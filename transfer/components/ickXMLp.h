#pragma once
// The markup parser component: feed it page text and it reports what it
// finds through its events, on the calling thread, before the feeding call
// returns. Text may arrive in pieces; constructs may span them.
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "transfer/components/ickCore.h"

class ParserCore;
struct TCoreEventBlock;

using TBeginElementEvent = std::function<void(TObject* Sender, const String& Element)>;
using TCommentEvent = std::function<void(TObject* Sender, const String& Text)>;
using TEndElementEvent = std::function<void(TObject* Sender, const String& Element)>;
using TEmptyElementEvent = std::function<void(TObject* Sender, const String& Element)>;
using TErrorEvent =
    std::function<void(TObject* Sender, int ErrorCode, const String& Description)>;
using TEvalEntityEvent =
    std::function<void(TObject* Sender, const String& Entity, String& Value)>;
using TMetaEvent = std::function<void(TObject* Sender, const String& Text)>;
using TPIEvent = std::function<void(TObject* Sender, const String& Text)>;
using TSpecialSectionEvent =
    std::function<void(TObject* Sender, const String& SectionID, const String& Text)>;
using TTextEvent = std::function<void(TObject* Sender, const String& Text)>;

class TickXMLp : public TickCore {
public:
    explicit TickXMLp(TComponent* owner);
    ~TickXMLp() override;
    String ClassName() const override { return "TickXMLp"; }
    std::exception_ptr MakeError(int code, const String& text) override;

    String ExtraNameChars() const;
    void SetExtraNameChars(const String& value);
    String ExtraSpaceChars() const;
    void SetExtraSpaceChars(const String& value);
    bool FlushOnEOL() const;
    void SetFlushOnEOL(bool value);
    bool PreserveWhiteSpace() const;
    void SetPreserveWhiteSpace(bool value);

    // Parses the text at once, going on from where the last call left off.
    // A zero byte ends the text.
    void SetInputText(std::string_view text);
    // True delivers pending text and starts the next document afresh; it may
    // be called from any event handler. False does nothing.
    void SetEndOfInput(bool value);

    // The attributes of the element being reported, 1-based, in source
    // order; only inside OnBeginElement and OnEmptyElement. A read that
    // finds nothing answers "" and leaves the reason in ErrorText().
    int AttrCount() const;
    String AttrName(int index) const;
    String AttrValue(int index) const;
    // 0 when AttrName(index)/AttrValue(index) would succeed, else 280.
    int CheckAttr(int index) const;
    String ErrorText() const;

    TBeginElementEvent OnBeginElement;
    TCommentEvent OnComment;
    TEndElementEvent OnEndElement;
    TEmptyElementEvent OnEmptyElement;
    TErrorEvent OnError;
    TEvalEntityEvent OnEvalEntity;
    TMetaEvent OnMeta;
    TPIEvent OnPI;
    TSpecialSectionEvent OnSpecialSection;
    TTextEvent OnText;

protected:
    const char* CoreErrorText() const override;

private:
    static int DispatchCoreEvent(void* owner, int id, int argCount, TCoreEventBlock& block);
    int Dispatch(int id, TCoreEventBlock& block);
    void SetProperty(int id, std::intptr_t value, std::ptrdiff_t length = 0);

    ParserCore* FCore = nullptr;
    // Strings that carry event arguments, one set per nesting level of
    // handlers that feed text again: reused, so steady parsing allocates
    // nothing per event, and an answer stays put until the core copies it.
    struct TArgFrame {
        String A, B;
    };
    std::vector<std::unique_ptr<TArgFrame>> FFrames;
    int FDepth = 0;
};
