#pragma once
#include <memory>

#include "framework/controls/CommonDialog.h"

class TFont;

// Picks a font; Font holds the choice (and the starting point).
class TFontDialog : public TCommonDialog {
public:
    explicit TFontDialog(TComponent* owner);
    ~TFontDialog() override;
    String ClassName() const override { return "TFontDialog"; }
    bool Execute() override;
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v);

private:
    std::unique_ptr<TFont> FFont;
};
