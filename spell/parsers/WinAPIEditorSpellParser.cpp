#include "spell/parsers/WinAPIEditorSpellParser.h"

#include <cstring>

#include "framework/controls/EditMessages.h"
#include "framework/controls/WinControl.h"
#include "framework/messages/MessageQueue.h"
#include "spell/parsers/ControlMetrics.h"
#include "spell/parsers/LineScan.h"

namespace {
struct TWindowLines {
    TWinAPIEditorSpellParser* P;
    int N;
    int Count() const { return N; }
    String Text(int line) const { return P->FetchLine(line); }
    int Start(int line) const { return P->LineStart(line); }
    void Leaving(int line) const { P->SendLineNotice(line); }
};
}  // namespace

TWinAPIEditorSpellParser::TWinAPIEditorSpellParser(TWinControl* window) : TParser(window), Window(window) {
    Line = 0;
    EndPosition = static_cast<Integer>(Send(WM_GETTEXTLENGTH));
    LineHeight = ControlLineHeight(Window);
    HalfPage = (Window->ClientHeight() / LineHeight) / 2;
}

LRESULT TWinAPIEditorSpellParser::Send(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!Window) return 0;
    return SendMessage(Window->Handle(), msg, wParam, lParam);
}

int TWinAPIEditorSpellParser::LineCount() {
    if (!Window || !Window->HandleAllocated()) return 0;
    const int n = static_cast<int>(Send(EM_GETLINECOUNT));
    if (n == 1 && Send(EM_LINELENGTH, 0) == 0 && Send(WM_GETTEXTLENGTH) == 0) return 0;
    return n;
}

String TWinAPIEditorSpellParser::FetchLine(int line) {
    if (line == FCachedLine) return FCachedText;
    const Word size = LineBufferSize;
    std::memcpy(LineBuffer.data(), &size, sizeof size);
    const LRESULT n = Send(EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(LineBuffer.data()));
    const auto count = static_cast<std::size_t>(std::clamp<LRESULT>(n, 0, LineBufferSize));
    FCachedLine = line;
    FCachedText.assign(LineBuffer.data(), count);
    return FCachedText;
}

int TWinAPIEditorSpellParser::LineStart(int line) { return static_cast<int>(Send(EM_LINEINDEX, static_cast<WPARAM>(line))); }

void TWinAPIEditorSpellParser::SendLineNotice(int line) { Send(WM_SPELL_LINE, 0, line); }

void TWinAPIEditorSpellParser::Finish() {
    AtEnd = true;
    Send(WM_SPELL_PROGRESS, static_cast<WPARAM>(-1), -1);
}

void TWinAPIEditorSpellParser::Selection(int& start, int& end) {
    DWORD s = 0, e = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    start = static_cast<int>(s);
    end = static_cast<int>(e);
}

void TWinAPIEditorSpellParser::SetCheckRange(Integer start, Integer end) {
    StartPosition = start;
    Position = start;
    EndPosition = end;
    Line = static_cast<Integer>(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(start)));
    Column = Position - LineStart(Line);
    if (Column < 1) {
        Position += 1 - Column;
        Column = 1;
    }
    MoveToWordStart();
}

void TWinAPIEditorSpellParser::StartAtSelection() {
    int s = 0, e = 0;
    Selection(s, e);
    SetCheckRange(s, EndPosition);
}

void TWinAPIEditorSpellParser::EndAtSelection() {
    int s = 0, e = 0;
    Selection(s, e);
    SetCheckRange(Position, e);
}

void TWinAPIEditorSpellParser::GetNextWord(String& word) {
    // The text may have changed since the last word (a replacement).
    FCachedLine = -1;
    TWindowLines lines{this, LineCount()};
    if (!spell_internal::ScanLines(*this, lines)) {
        Finish();
        return;
    }
    word = CurrentWord;
    if (!IsInternetAddress) Send(WM_SPELL_PROGRESS, static_cast<WPARAM>(Column), Line);
}

void TWinAPIEditorSpellParser::SelectCurrentWord() {
    Send(EM_SETSEL, static_cast<WPARAM>(Position - 1), Position - 1 + WordLength);
}

void TWinAPIEditorSpellParser::ReplaceCurrentWord(const String& newWord) {
    TParser::ReplaceCurrentWord(newWord);
    Send(EM_REPLACESEL, 1, reinterpret_cast<LPARAM>(newWord.c_str()));
    WordLength = static_cast<Integer>(newWord.size());
    FCachedLine = -1;
}

void TWinAPIEditorSpellParser::GetControlRect(TRect& rect) {
    const TPoint o = Window->ClientOrigin();
    rect = Rect(o.X, o.Y, o.X + Window->Width(), o.Y + Window->Height());
}

void TWinAPIEditorSpellParser::GetWordRect(TRect& rect) {
    int s = 0, e = 0;
    Selection(s, e);
    POINTL a, b;
    Send(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&a), s);
    Send(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&b), e);
    const TPoint tl = Window->ClientToScreen(Point(a.x, a.y));
    const TPoint br = Window->ClientToScreen(Point(b.x, b.y + LineHeight));
    rect = Rect(tl.X, tl.Y, br.X, br.Y);
}

void TWinAPIEditorSpellParser::CenterCurrentWord() {
    int s = 0, e = 0;
    Selection(s, e);
    const auto line = static_cast<int>(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(s)));
    const auto first = static_cast<int>(Send(EM_GETFIRSTVISIBLELINE));
    Send(EM_LINESCROLL, 0, line - HalfPage - first);
}

void TWinAPIEditorSpellParser::MoveToWordStart() {
    FCachedLine = -1;
    spell_internal::MoveBackInLine(*this, Line >= 0 && Line < LineCount() ? FetchLine(Line) : String());
}

void TWinAPIEditorSpellParser::BeginCheck() {
    WordLength = 0;
    AtEnd = false;
}

bool TWinAPIEditorSpellParser::RemoveSpace() {
    FCachedLine = -1;
    if (Line < 0 || Line >= LineCount()) return false;
    const String text = FetchLine(Line);
    if (Column < 1 || Column > static_cast<Integer>(text.size()) || text[Column - 1] != ' ') return false;
    const bool removed = TParser::RemoveSpace();
    FCachedLine = -1;
    return removed;
}

void TWinAPIEditorSpellParser::GetSelectedText(String& text) {
    text.clear();
    int s = 0, e = 0;
    Selection(s, e);
    FCachedLine = -1;
    const int count = LineCount();
    int line = static_cast<int>(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(s)));
    int pos = s;
    while (line < count && pos < e) {
        const int start = LineStart(line);
        const String t = FetchLine(line);
        const int from = pos - start;
        const int lineEnd = start + static_cast<int>(t.size());
        const int to = std::min(e, lineEnd);
        if (from >= 0 && from < static_cast<int>(t.size()) && to > pos)
            text += t.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - pos));
        if (e <= lineEnd) break;
        text += "\r\n";
        ++line;
        if (line >= count) break;
        pos = LineStart(line);
    }
}
