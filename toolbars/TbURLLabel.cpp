#include "toolbars/TbURLLabel.h"

#include <memory>

#include "framework/controls/Dialogs.h"
#include "framework/controls/OpenDialog.h"
#include "framework/graphics/Font.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "toolbars/ATCommon.h"
#include "toolbars/TbCursors.h"

TTbURLLabel::TTbURLLabel(TComponent* owner) : TTbLabel(owner) {
    SetCursor(TbHandCursor());
    SetLayout(tlTop);
    SetTextStyle(tsNormal);
    Font()->SetColor(clHighlight);
    Font()->SetStyle(Font()->Style() | fsUnderline);
}

TTbURLLabel::~TTbURLLabel() {
    if (FNotice) DeallocateHWnd(FNotice);
}

void TTbURLLabel::UpdateColor() { Font()->SetColor(FVisited ? FVisitedColor : FUnvisitedColor); }

void TTbURLLabel::SetVisited(bool v) {
    if (v == FVisited) return;
    FVisited = v;
    UpdateColor();
    Invalidate();
}

void TTbURLLabel::SetUnvisitedColor(TColor v) {
    if (v == FUnvisitedColor) return;
    FUnvisitedColor = v;
    UpdateColor();
    Invalidate();
}

void TTbURLLabel::SetVisitedColor(TColor v) {
    if (v == FVisitedColor) return;
    FVisitedColor = v;
    UpdateColor();
    Invalidate();
}

void TTbURLLabel::Click() {
    TTbLabel::Click();
    Open();
}

namespace {
// Posted to the label's notice window with the target (a String made with
// new) when the desktop's opener gave up.
constexpr UINT kOpenerGaveUp = WM_APP + 1;
}  // namespace

bool TTbURLLabel::Open() {
    String target = Trim(URL);
    if (target.empty()) target = Trim(Caption());
    if (target.empty()) return false;
    if (!FNotice) {
        FNotice = AllocateHWnd([this](TMessage& m) {
            if (m.Msg != kOpenerGaveUp) return;
            std::unique_ptr<String> gaveUp(reinterpret_cast<String*>(m.LParam));
            OpenFailed(*gaveUp);
        });
    }
    const HWND notice = FNotice;
    const bool started = OpenURL(target, [notice, target](bool opened) {
        if (opened) return;
        auto* text = new String(target);
        if (!PostMessage(notice, kOpenerGaveUp, 0, reinterpret_cast<LPARAM>(text))) delete text;
    });
    if (started) {
        SetVisited(true);
        return true;
    }
    OpenFailed(target);
    return false;
}

void TTbURLLabel::OpenFailed(const String& target) {
    // Only a web page gets a second chance; nothing else is reported.
    if (UpperCase(ExtractFileExt(target)) == ".HTM") ChooseProgramFor(target);
}

void TTbURLLabel::ChooseProgramFor(const String& target) {
    TOpenDialog dialog(nullptr);
    dialog.Title = "Choose a program to open " + ExtractFileName(target);
    dialog.Filter = "All files (*)|*";
    dialog.Options |= ofFileMustExist;
    if (!dialog.Execute()) return;
    if (!StartProgram(dialog.FileName, target))
        MessageDlg(dialog.FileName + " could not be started.", mtError, mbOK);
}
