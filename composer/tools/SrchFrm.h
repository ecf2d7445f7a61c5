#pragma once
// The List Editor: one lookup list file of the lists folder (the values
// the Web Page Options step offers) edited as plain text, one value per
// line.
#include "composer/tools/ListEditorForm.h"

class TComboBox;

class TSrchFrm : public TListEditorForm {
public:
    explicit TSrchFrm(TComponent* owner);
    String ClassName() const override { return "TSrchFrm"; }

    TComboBox* ComboBox1;  // the list choice

    void ComboBox1Change(TObject* Sender);

    // The file of the list named `name` in the lists folder, found
    // whatever its letter case.
    static String ListPath(const String& name);

protected:
    bool InItsFolder(const String& path) const override;
};

namespace ListEditorTexts {
inline constexpr const char* SCaption = "List Editor";
inline constexpr const char* SSelectList = "Select List";
inline constexpr const char* SLoadError = "Error loading list";
inline constexpr int HelpContextListEditor = 1200;
}  // namespace ListEditorTexts
