#pragma once
#include "toolbars/TbLabel.h"

// A label that opens its address (or, without one, its caption) with the
// desktop when clicked, and then shows itself as visited.
class TTbURLLabel : public TTbLabel {
public:
    explicit TTbURLLabel(TComponent* owner);
    ~TTbURLLabel() override;
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
    // Opens the trimmed URL, or the caption when URL is empty. False when
    // there was nothing to open, the address was refused or nothing could
    // start it. A web page (".htm") the desktop could not open, now or when
    // its opener gives up, lets the user choose a program for it
    // (ChooseProgramFor); other failures say nothing.
    bool Open();
    // Asks for a program in an open dialog and starts it with the target as
    // its one argument. The choice is not kept: the next failure asks again.
    void ChooseProgramFor(const String& target);

protected:
    virtual void UpdateColor();

private:
    void OpenFailed(const String& target);
    HWND FNotice = 0;  // learns of an opener that gave up
    bool FVisited = false;
    TColor FUnvisitedColor = clHighlight;
    TColor FVisitedColor = TColor(0x800080);
};
