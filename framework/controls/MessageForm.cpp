#include "framework/controls/MessageForm.h"

#include <algorithm>

#include "framework/controls/qt/WsButtons.h"
#include "framework/controls/qt/WsForms.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/graphics/Font.h"

namespace {
// The box's OK button: a toolkit push button that answers mrOk.
class TBoxButton : public TWinControl {
public:
    explicit TBoxButton(TForm* form) : TWinControl(form), FForm(form) {
        ControlStyle &= ~csClickEvents;  // the push button says when it was clicked
        SetTabStop(true);
    }

protected:
    QWidget* CreateWidget(QWidget* parent) override {
        QWidget* b = velmor_ws::CreatePushButton(parent, [this] { Click(); });
        velmor_ws::SetButtonDefault(b, true);
        return b;
    }
    void ApplyText() override { velmor_ws::SetButtonCaption(FWidget, FText); }
    void Click() override {
        TWinControl::Click();
        FForm->SetModalResult(mrOk);
    }
    void KeyDown(Word& key, TShiftState shift) override {
        if (key == VK_ESCAPE || key == VK_RETURN) {
            FForm->SetModalResult(mrOk);
            key = 0;
            return;
        }
        TWinControl::KeyDown(key, shift);
    }

private:
    TForm* FForm;
};
}  // namespace

TMessageForm::TMessageForm(TComponent* owner, const String& caption, const String& message, TMsgDlgType type)
    : TForm(owner), FMessage(message), FType(type) {
    SetCaption(caption);
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    // The text decides the size, the toolkit font measures it.
    const velmor_ws::TTextMeasure m = velmor_ws::MeasureWrappedText(Font(), message, 420, 2000);
    const int textW = std::max(m.Width, 160);
    const int textH = std::max(m.Height, m.LineHeight);
    FTextRect = Bounds(16, 16, textW + 2, textH + 2);
    SetClientWidth(textW + 34);
    SetClientHeight(textH + 70);
    auto* ok = new TBoxButton(this);
    ok->SetCaption("OK");
    ok->SetBounds((ClientWidth() - 75) / 2, ClientHeight() - 40, 75, 25);
    ok->SetParent(this);
    SetActiveControl(ok);
}

void TMessageForm::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsClear);
    TRect r = FTextRect;
    DrawText(c, FMessage, r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    TForm::Paint();
}
