#include "framework/controls/MessageDlgForm.h"

#include <algorithm>

#include "framework/controls/Application.h"
#include "framework/controls/Button.h"
#include "framework/controls/qt/WsForms.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"

std::vector<String> MessageLines(const String& message) {
    std::vector<String> lines(1);
    for (size_t i = 0; i < message.size(); ++i) {
        const char c = message[i];
        if (c == '\r' || c == '\n') {
            // A pair of different break characters is one break, in either order.
            if (i + 1 < message.size() && (message[i + 1] == '\r' || message[i + 1] == '\n') && message[i + 1] != c)
                ++i;
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

namespace {
constexpr TMsgDlgBtn kOrder[] = {mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry,
                                 mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp};
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 8;
constexpr int kIconSize = 32;
}  // namespace

String TMessageDlgForm::ButtonCaption(TMsgDlgBtn b) {
    switch (b) {
    case mbYes: return "&Yes";
    case mbNo: return "&No";
    case mbOK: return "OK";
    case mbCancel: return "Cancel";
    case mbAbort: return "&Abort";
    case mbRetry: return "&Retry";
    case mbIgnore: return "&Ignore";
    case mbAll: return "&All";
    case mbNoToAll: return "N&o to All";
    case mbYesToAll: return "Yes to &All";
    case mbHelp: return "&Help";
    }
    return String();
}

TModalResult TMessageDlgForm::ButtonResult(TMsgDlgBtn b) {
    switch (b) {
    case mbYes: return mrYes;
    case mbNo: return mrNo;
    case mbOK: return mrOk;
    case mbCancel: return mrCancel;
    case mbAbort: return mrAbort;
    case mbRetry: return mrRetry;
    case mbIgnore: return mrIgnore;
    case mbAll: return mrAll;
    case mbNoToAll: return mrNoToAll;
    case mbYesToAll: return mrYesToAll;
    case mbHelp: return mrNone;
    }
    return mrNone;
}

String TMessageDlgForm::TypeCaption(TMsgDlgType t) {
    switch (t) {
    case mtWarning: return "Warning";
    case mtError: return "Error";
    case mtInformation: return "Information";
    case mtConfirmation: return "Confirm";
    case mtCustom: return String();
    }
    return String();
}

TMessageDlgForm::TMessageDlgForm(TComponent* owner, const String& message, TMsgDlgType type,
                                 TMsgDlgButtons buttons, int helpCtx, bool showIcon, TMsgDlgBtn defaultButton)
    : TForm(owner),
      FMessage(message),
      FLines(MessageLines(message)),
      FType(type),
      FButtons(buttons),
      FHelpCtx(helpCtx),
      FShowIcon(showIcon && type != mtCustom) {
    if (FButtons == 0) FButtons = mbOK;  // a box nobody can close helps no one
    String caption = TypeCaption(type);
    if (caption.empty() && Application) caption = Application->Title();
    SetCaption(caption);
    SetBorderStyle(bsDialog);
    SetBorderIcons(biSystemMenu);
    SetPosition(poScreenCenter);

    String shown;
    for (size_t i = 0; i < FLines.size(); ++i) shown += (i ? "\n" : "") + FLines[i];
    const velmor_ws::TTextMeasure m = velmor_ws::MeasureWrappedText(Font(), shown, 480, 4000);
    const int textW = std::max(m.Width, 100) + 2;
    const int textH = std::max(m.Height, m.LineHeight) + 2;
    const int textLeft = FShowIcon ? 16 + kIconSize + 12 : 16;

    int count = 0;
    for (TMsgDlgBtn b : kOrder)
        if (FButtons & b) ++count;
    const int rowW = count * kButtonWidth + (count - 1) * kButtonGap;
    const int clientW = std::max(textLeft + textW + 16, rowW + 32);
    const int top = std::max(textH, FShowIcon ? kIconSize : 0);
    FTextRect = Bounds(textLeft, 16, textW, textH);
    SetClientWidth(clientW);
    SetClientHeight(16 + top + 16 + kButtonHeight + 12);

    TMsgDlgBtn def = defaultButton;
    if (!(FButtons & def)) def = (FButtons & mbOK) ? mbOK : (FButtons & mbYes) ? mbYes : TMsgDlgBtn(0);
    const TMsgDlgBtn cancel = (FButtons & mbCancel) ? mbCancel : (FButtons & mbNo) ? mbNo : mbOK;
    FCancelResult = (FButtons & cancel) ? ButtonResult(cancel) : mrCancel;
    int x = (clientW - rowW) / 2;
    TButton* first = nullptr;
    for (TMsgDlgBtn b : kOrder) {
        if (!(FButtons & b)) continue;
        auto* button = new TButton(this);
        button->SetCaption(ButtonCaption(b));
        button->SetModalResult(ButtonResult(b));
        button->SetBounds(x, 16 + top + 16, kButtonWidth, kButtonHeight);
        if (b == mbHelp)
            button->OnClick = [this](TObject*) {
                if (Application) Application->HelpContext(FHelpCtx);
            };
        if (b == def) button->SetDefault(true);
        if (ButtonResult(b) == FCancelResult && FCancelResult != mrNone) button->SetCancel(true);
        button->SetParent(this);
        FButtonList.emplace_back(b, button);
        if (!first || b == def) first = button;
        x += kButtonWidth + kButtonGap;
    }
    if (first) SetActiveControl(first);
}

TButton* TMessageDlgForm::ButtonFor(TMsgDlgBtn b) const {
    for (const auto& [kind, button] : FButtonList)
        if (kind == b) return button;
    return nullptr;
}

void TMessageDlgForm::Paint() {
    TCanvas* c = Canvas();
    if (FShowIcon) {
        // A drawn sign rather than a theme icon: it looks the same everywhere.
        TColor fill = clBlue;
        String sign = "i";
        switch (FType) {
        case mtWarning: fill = RGB(0xE0, 0xA0, 0x00); sign = "!"; break;
        case mtError: fill = RGB(0xC0, 0x00, 0x00); sign = "X"; break;
        case mtConfirmation: fill = RGB(0x00, 0x60, 0xC0); sign = "?"; break;
        default: break;
        }
        c->Pen()->SetColor(fill);
        c->Brush()->SetColor(fill);
        c->Brush()->SetStyle(bsSolid);
        c->Ellipse(16, 16, 16 + kIconSize, 16 + kIconSize);
        c->Font()->SetColor(clWhite);
        c->Font()->SetStyle(fsBold);
        c->Font()->SetSize(14);
        c->Brush()->SetStyle(bsClear);
        TRect r = Bounds(16, 16, kIconSize, kIconSize);
        DrawText(c, sign, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        c->Font()->Assign(Font());
    }
    c->Brush()->SetStyle(bsClear);
    String shown;
    for (size_t i = 0; i < FLines.size(); ++i) shown += (i ? "\r\n" : "") + FLines[i];
    TRect r = FTextRect;
    DrawText(c, shown, r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    TForm::Paint();
}
