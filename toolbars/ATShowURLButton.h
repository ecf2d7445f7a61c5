#pragma once
#include "framework/controls/BitBtn.h"

using TTbOpenFailedEvent = std::function<void(TObject* Sender, const String& Address)>;

class TCustomEdit;

// A button that opens a web address with the desktop: the text of its
// Associate edit when it has one, else URL.
class TATShowURLButton : public TBitBtn {
public:
    explicit TATShowURLButton(TComponent* owner);
    String ClassName() const override { return "TATShowURLButton"; }

    String URL;
    TCustomEdit* Associate() const { return FAssociate; }
    void SetAssociate(TCustomEdit* v);
    // Set once the button has been clicked.
    bool Clicked() const { return FClicked; }

    // OnClick, then the address is opened.
    void Click() override;
    // The address was refused or nothing could start it.
    TTbOpenFailedEvent OnOpenFailed;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TCustomEdit* FAssociate = nullptr;
    bool FClicked = false;
};
