#include "composer/tools/SrchFrm2.h"

#include "framework/controls/Edit.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/ProgramFolder.h"
#include "toolbars/TbToolbar.h"

using namespace DataEditorTexts;

TSrchFrm2* SrchFrm2 = nullptr;

TSrchFrm2::TSrchFrm2(TComponent* owner)
    : TListEditorForm(owner, "SrchFrm2", "Custom Field Data Editor", 458, HelpContextDataEditor) {
    if (!SrchFrm2) SrchFrm2 = this;
    ComboBox1 = new TEdit(this);
    ComboBox1->SetName("ComboBox1");
    ComboBox1->SetParent(TbToolbar1);
    ComboBox1->SetBounds(0, 0, 237, 22);
    ComboBox1->SetReadOnly(true);
    AddEditor(34, false);

    OnShow = [this](TObject* s) { FormShow(s); };
}

TSrchFrm2::~TSrchFrm2() {
    if (SrchFrm2 == this) SrchFrm2 = nullptr;
}

String TSrchFrm2::DataFolder() {
    const String path = PathJoin(ProgramFolder(), "data");
    const String found = FindPathNoCase(path);
    return IncludeTrailingPathDelimiter(found.empty() ? path : found);
}

void TSrchFrm2::FormShow(TObject*) { CurrentPath = ComboBox1->Text(); }

// A value list lies directly in the data folder: a field name holding a
// path (a separator, "..") forms no file name there.
bool TSrchFrm2::InItsFolder(const String& path) const {
    return ExtractFileDir(NormalizePath(path)) == ExcludeTrailingPathDelimiter(DataFolder());
}
