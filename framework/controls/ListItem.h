#pragma once
#include <memory>

#include "framework/classes/Persistent.h"

class TListItems;
class TListView;
class TStrings;

// One line of a list view: its caption and the texts of the further
// columns (SubItems).
class TListItem : public TPersistent {
public:
    explicit TListItem(TListItems* owner);
    ~TListItem() override;
    String ClassName() const override { return "TListItem"; }

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& v);
    TStrings* SubItems() const;
    void SetSubItems(TStrings* v);
    bool Checked() const { return FChecked; }
    void SetChecked(bool v);
    bool Selected() const { return FSelected; }
    void SetSelected(bool v);
    bool Focused() const;
    void SetFocused(bool v);
    void* Data = nullptr;
    int ImageIndex = -1;
    int Index() const;
    TListView* ListView() const;
    TListItems* Owner() const { return FOwner; }
    void Delete();
    void MakeVisible(bool partialOK);

    // Framework-internal.
    void SetSelectedFromWidget(bool v) { FSelected = v; }
    void SetCheckedFromWidget(bool v) { FChecked = v; }

private:
    TListItems* FOwner;
    String FCaption;
    std::unique_ptr<TStrings> FSubItems;
    bool FChecked = false;
    bool FSelected = false;
};
