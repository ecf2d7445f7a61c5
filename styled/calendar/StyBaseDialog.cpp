#include "styled/calendar/StyBaseDialog.h"

#include "framework/classes/StringList.h"
#include "framework/controls/Button.h"
#include "framework/controls/Form.h"
#include "styled/base/WindowHelpers.h"
#include "styled/forms/StyBack.h"

TStyBaseDialog::TStyBaseDialog(TComponent* AOwner)
    : TStyContainerComponent(AOwner), FHints(std::make_unique<TStringList>()) {}

TStyBaseDialog::~TStyBaseDialog() = default;

void TStyBaseDialog::SetHints(TStrings* Value) { FHints->Assign(Value); }

TModalResult TStyBaseDialog::ShowDialog(TForm* Form, const String& DefaultCaption, TButton* Extra,
                                        TControl* Reference) {
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
    if (ImageList()) {
        // The background exists only when there is a picture to show: a
        // background without one would paint nothing anyway.
        auto* back = new TStyBack(Form);
        back->SetImageList(ImageList());
        back->SetListIndex(ListIndex());
        back->SetImageIndex(ImageIndex());
    }
    return Form->ShowModal();
}
