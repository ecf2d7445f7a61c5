#include "framework/controls/ControlActionLink.h"

#include "framework/controls/Control.h"
#include "framework/controls/CustomAction.h"

TCustomAction* TActionLink::CustomAction() const { return dynamic_cast<TCustomAction*>(FAction); }

bool TActionLink::IsCaptionLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsCheckedLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsEnabledLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsGroupIndexLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsHelpContextLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsHintLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsImageIndexLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsShortCutLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsVisibleLinked() const { return CustomAction() != nullptr; }
bool TActionLink::IsOnExecuteLinked() const { return FAction != nullptr; }

bool TControlActionLink::IsCaptionLinked() const {
    return TActionLink::IsCaptionLinked() && FClient->Caption() == CustomAction()->Caption();
}

bool TControlActionLink::IsEnabledLinked() const {
    return TActionLink::IsEnabledLinked() && FClient->Enabled() == CustomAction()->Enabled();
}

bool TControlActionLink::IsHelpContextLinked() const {
    return TActionLink::IsHelpContextLinked() && FClient->HelpContext == CustomAction()->HelpContext();
}

bool TControlActionLink::IsHintLinked() const {
    return TActionLink::IsHintLinked() && FClient->Hint() == CustomAction()->Hint();
}

bool TControlActionLink::IsVisibleLinked() const {
    return TActionLink::IsVisibleLinked() && FClient->Visible() == CustomAction()->Visible();
}

bool TControlActionLink::IsOnExecuteLinked() const {
    return TActionLink::IsOnExecuteLinked() && !FClient->OnClick;
}

void TControlActionLink::SetCaption(const String& v) {
    if (IsCaptionLinked()) FClient->SetCaption(v);
}

void TControlActionLink::SetEnabled(bool v) {
    if (IsEnabledLinked()) FClient->SetEnabled(v);
}

void TControlActionLink::SetHelpContext(int v) {
    if (IsHelpContextLinked()) FClient->HelpContext = v;
}

void TControlActionLink::SetHint(const String& v) {
    if (IsHintLinked()) FClient->SetHint(v);
}

void TControlActionLink::SetVisible(bool v) {
    if (IsVisibleLinked()) FClient->SetVisible(v);
}

void TControlActionLink::Change() { TActionLink::Change(); }
