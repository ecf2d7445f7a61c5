#pragma once
#include "toolbars/TbLabel.h"

using TTbOpenFailedEvent = std::function<void(TObject* Sender, const String& Address)>;

// A label that opens its address (or, without one, its caption) with the
// desktop when clicked, and then shows itself as visited.
class TTbURLLabel : public TTbLabel {
public:
    explicit TTbURLLabel(TComponent* owner);
    String ClassName() const override { return "TTbURLLabel"; }

    String URL;
    bool Visited() const { return FVisited; }
    virtual void SetVisited(bool v);
    TColor UnvisitedColor() const { return FUnvisitedColor; }
    virtual void SetUnvisitedColor(TColor v);
    TColor VisitedColor() const { return FVisitedColor; }
    virtual void SetVisitedColor(TColor v);

    // OnClick, then the address is opened.
    void Click() override;
    // Opens the trimmed URL, or the caption when URL is empty. False (and
    // OnOpenFailed) when there was something to open and it could not be.
    bool Open();
    // The address was refused or nothing could start it.
    TTbOpenFailedEvent OnOpenFailed;

protected:
    virtual void UpdateColor();

private:
    bool FVisited = false;
    TColor FUnvisitedColor = clHighlight;
    TColor FVisitedColor = TColor(0x800080);
};
