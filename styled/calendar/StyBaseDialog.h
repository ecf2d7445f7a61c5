#pragma once
#include <memory>

#include "framework/controls/Controls.h"
#include "styled/base/StyTypes.h"
#include "styled/controls/StyContainerComponent.h"

class TButton;
class TControl;
class TForm;
class TStrings;
class TStyBack;
class TStyFormStyler;

enum TStyDlgEffect { deNone, deExplode, deExplodeExt };

// What every dialog of the library shares: caption, an optional extra
// button, button hints, an opening effect, a background picture and the
// placement of the window it builds for each run.
class TStyBaseDialog : public TStyContainerComponent {
public:
    explicit TStyBaseDialog(TComponent* AOwner);
    ~TStyBaseDialog() override;
    String ClassName() const override { return "TStyBaseDialog"; }

    virtual bool Execute() { return false; }

    bool CaptionFill = false;
    String CaptionTitle;
    Byte Colors = 32;
    String CustomButton;
    TStyDlgEffect Effect = deNone;
    TStrings* Hints() const { return FHints.get(); }
    void SetHints(TStrings* Value);
    TStyDlgPosition Position = bpCenter;
    TStyDlgPosRel RelatePos = brScreen;
    bool ShowHints = true;
    TNotifyEvent OnCustomize;
    TNotifyEvent OnCustomClick;

protected:
    // Finishes the built window (caption, extra button, placement, effect,
    // caption styler, background) and shows it modally.
    TModalResult ShowDialog(TForm* Form, const String& DefaultCaption, TStyBack* Back, TStyFormStyler* Styler,
                            TButton* Extra, TControl* Reference);

private:
    std::unique_ptr<TStrings> FHints;
};
