#pragma once
// Drop targets: the general one decides what it accepts and hands text,
// rich text and file lists to its three operations; the grid's puts them
// into the grid.
#include "framework/classes/StringList.h"
#include "framework/controls/DragDrop.h"

class TGkStringGrid;

class TDropTarget : public IDropTarget {
public:
    HRESULT DragEnter(IDataObject* data, DWORD keyState, const TPoint& point, DWORD& effect) override;
    HRESULT DragOver(DWORD keyState, const TPoint& point, DWORD& effect) override;
    HRESULT DragLeave() override { return S_OK; }
    HRESULT Drop(IDataObject* data, DWORD keyState, const TPoint& point, DWORD& effect) override;

    virtual void DropText(const TPoint& point, const String& text);
    virtual void DropRTF(const TPoint& point, const String& text);
    virtual void DropFiles(const TPoint& point, TStringList* files);

    bool Accepted() const { return FAccepted; }

private:
    bool FAccepted = false;
};

class TGridDropTarget : public TDropTarget {
public:
    explicit TGridDropTarget(TGkStringGrid* grid) : FGrid(grid) {}
    void DropText(const TPoint& point, const String& text) override;
    void DropRTF(const TPoint& point, const String& text) override;
    void DropFiles(const TPoint& point, TStringList* files) override;

private:
    // The cell under a screen point.
    void CellAt(const TPoint& screen, int& col, int& row) const;
    TGkStringGrid* FGrid;
};
