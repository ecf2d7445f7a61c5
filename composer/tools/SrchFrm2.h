#pragma once
// The Custom Field Data Editor: the value list of one drop-down field, the
// lines its cell offers in the main window's custom grid. The custom field
// editor fills it (path and lines) and shows it for each Edit click.
#include "composer/tools/ListEditorForm.h"

class TEdit;

class TSrchFrm2 : public TListEditorForm {
public:
    explicit TSrchFrm2(TComponent* owner);
    ~TSrchFrm2() override;
    String ClassName() const override { return "TSrchFrm2"; }

    TEdit* ComboBox1;  // the path of the value list; read-only

    void FormShow(TObject* Sender);

    // The folder of the value lists: "data" beside the program.
    static String DataFolder();

protected:
    bool InItsFolder(const String& path) const override;
};

// The data editor of the running program.
extern TSrchFrm2* SrchFrm2;

namespace DataEditorTexts {
inline constexpr int HelpContextDataEditor = 9;
}  // namespace DataEditorTexts
