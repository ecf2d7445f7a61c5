#pragma once
// An edit that holds an integer, a float, a date or a time, stepped by
// its spin button or the Up and Down keys and kept within its limits.
#include "framework/controls/Edit.h"
#include "framework/rtl/DateTime.h"
#include "gridkit/editors/GkeSpinButton.h"

enum TGkeSpinType { sptNormal, sptFloat, sptDate, sptTime };

class TGkeSpinEdit : public TEdit {
public:
    explicit TGkeSpinEdit(TComponent* owner);
    String ClassName() const override { return "TGkeSpinEdit"; }

    TSpinDirection Direction() const;
    void SetDirection(TSpinDirection v);
    bool ReturnIsTab = false;
    int Precision() const { return FPrecision; }
    void SetPrecision(int v);
    TGkeSpinType SpinType() const { return FSpinType; }
    void SetSpinType(TGkeSpinType v);
    int Value() const;
    void SetValue(int v);
    double FloatValue() const;
    void SetFloatValue(double v);
    TDateTime DateValue() const;
    void SetDateValue(TDateTime v);
    TDateTime TimeValue() const;
    void SetTimeValue(TDateTime v);
    bool SpinFlat = false, SpinTransparent = false;
    bool EditorEnabled = true;
    int Increment = 1;
    double IncrementFloat = 1.0;
    int MinValue = 0, MaxValue = 0;
    double MinFloatValue = 0, MaxFloatValue = 0;
    TDateTime MinDateValue = 0, MaxDateValue = 0;
    TGkeSpinButton* Button() const { return FButton; }
    // The least height that shows the font whole inside the border; the
    // edit never gets lower than this.
    int MinHeight() const;
    static int MinHeightFor(int fontHeight, int systemFontHeight, int borderHeight);

    virtual bool IsValidChar(char key);
    virtual void UpClick(TObject* sender);
    virtual void DownClick(TObject* sender);

    // The date one step away from date in the field of the short date
    // format that holds position caret of text (day, month or year).
    static TDateTime StepDate(TDateTime date, const String& text, int caret, int delta);
    static TDateTime StepTime(TDateTime time, const String& text, int caret, int delta);

protected:
    void Loaded() override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void DoExit() override;
    void Resize() override;
    void WndProc(TMessage& message) override;

private:
    void WriteKeepingCaret(const String& text);
    TGkeSpinButton* FButton = nullptr;
    TGkeSpinType FSpinType = sptNormal;
    int FPrecision = 0;
    TDateTime FDateValue = 0, FTimeValue = 0;
};
