#pragma once
// The viewer of the pages selected for update.
#include "framework/controls/Form.h"

class TButton;
class TPanel;
class TRichEdit;
class TStrings;

class Tselectedfiles : public TForm {
public:
    explicit Tselectedfiles(TComponent* owner);
    String ClassName() const override { return "Tselectedfiles"; }

    TRichEdit* RichEdit1;
    TPanel* Panel1;
    TButton* Button1;

    void Button1Click(TObject* Sender);
    // Lists the pages with a heading and their number.
    void ShowFiles(const TStrings* files);
};
