#include "styled/calendar/StyBaseDialog.h"

#include "framework/classes/StringList.h"
#include "framework/controls/Button.h"
#include "framework/controls/Form.h"
#include "styled/base/WindowHelpers.h"
#include "styled/forms/StyBack.h"
#include "styled/forms/StyFormStyler.h"

#include <algorithm>

TStyBaseDialog::TStyBaseDialog(TComponent* AOwner)
    : TStyContainerComponent(AOwner), FHints(std::make_unique<TStringList>()) {}

TStyBaseDialog::~TStyBaseDialog() = default;

void TStyBaseDialog::SetHints(TStrings* Value) { FHints->Assign(Value); }

TModalResult TStyBaseDialog::ShowDialog(TForm* Form, const String& DefaultCaption, TStyBack* Back,
                                        TStyFormStyler* Styler, TButton* Extra, TControl* Reference) {
    Form->SetCaption(CaptionTitle.empty() ? DefaultCaption : CaptionTitle);
    if (Extra) {
        if (!CustomButton.empty()) {
            Extra->SetCaption(CustomButton);
            Extra->SetVisible(true);
            if (OnCustomClick) Extra->OnClick = OnCustomClick;
        } else {
            Extra->SetVisible(false);
        }
    }
    if (OnCustomize) OnCustomize(Form);
    const TRect ref = Reference ? Reference->BoundsRect() : GetReferenceRect(RelatePos);
    PlaceWindow(Form, ref, Position);
    if (Effect == deExplode) ExplodeEffect(Form);
    else if (Effect == deExplodeExt) ExplodeExtEffect(Form);
    if (Styler) {
        if (CaptionFill) Styler->SetColors(std::clamp<int>(Colors, TStyFormStyler::MinColors, TStyFormStyler::MaxColors));
        Styler->SetOptions(Styler->Options() | FormStyleOption(fsCheckSystemGradient));
        Styler->SetEnabled(CaptionFill);
    }
    if (Back && ImageList()) {
        Back->SetImageList(ImageList());
        Back->SetListIndex(ListIndex());
        Back->SetImageIndex(ImageIndex());
        Back->SetEnabled(true);
    }
    return Form->ShowModal();
}
