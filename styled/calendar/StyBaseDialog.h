#pragma once
#include <memory>

#include "framework/controls/Controls.h"
#include "styled/base/StyTypes.h"
#include "styled/controls/StyContainerComponent.h"

class TButton;
class TControl;
class TForm;
class TStrings;

enum TStyDlgEffect { deNone, deExplode, deExplodeExt };

// What every dialog of the library shares: caption, an optional extra
// button, button hints, an opening effect, a background picture and the
// placement of the window it builds for each run.
//
// The caption bar's styled fill (CaptionFill, Colors) is stored but drawn
// by nobody: the window manager draws the caption here.
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
    // background) and shows it modally.
    TModalResult ShowDialog(TForm* Form, const String& DefaultCaption, TButton* Extra, TControl* Reference);

private:
    std::unique_ptr<TStrings> FHints;
};
