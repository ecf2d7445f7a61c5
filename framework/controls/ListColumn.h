#pragma once
#include "framework/classes/Persistent.h"
#include "framework/controls/StdCtrlsTypes.h"

class TListView;

// One column of a list view in report style.
class TListColumn : public TPersistent {
public:
    TListColumn(TListView* owner, int index) : FOwner(owner), FIndex(index) {}
    String ClassName() const override { return "TListColumn"; }

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& v);
    int Width() const { return FWidth; }
    void SetWidth(int v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    bool AutoSize = false;
    int Index() const { return FIndex; }

    // Framework-internal.
    void SetIndexFromList(int i) { FIndex = i; }
    void SetWidthFromWidget(int v) { FWidth = v; }

private:
    TListView* FOwner;
    int FIndex;
    String FCaption;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
};
