#pragma once
#include <memory>

#include "styled/base/StyWndProcComponent.h"
#include "styled/forms/StyFormTypes.h"

class TCanvas;
class TForm;
class TStyCustomImageList;
class TStyPictureRef;
class TStyStoredProperties;

// Paints the client background of the form that owns it: here only by the
// program's OnPaint (pcOwnerDraw); TStyBack adds a picture of an image list.
class TStyCustomFormFill : public TStyWndProcComponent {
public:
    explicit TStyCustomFormFill(TComponent* AOwner);
    ~TStyCustomFormFill() override;
    String ClassName() const override { return "TStyCustomFormFill"; }

    String About;
    bool DefaultFill = true;
    TStyCustomImageList* ImageList() const;
    void SetImageList(TStyCustomImageList* Value);
    int ImageIndex() const;
    void SetImageIndex(int Value);
    int ListIndex() const;
    void SetListIndex(int Value);
    TStyPaintMode PaintMode() const { return FPaintMode; }
    void SetPaintMode(TStyPaintMode Value);
    TStyPaintEvent OnPaint;

    bool NeedsRepaint = false;
    bool EraseOnSize = false;

    // Repaints the form's client area.
    virtual void Refresh();
    // True when the background is painted (the form's own erase is then
    // skipped).
    virtual bool PaintBackground(TCanvas* Canvas);

    void WndProc(TMessage& Message) override;
    void GetChange(TObject* Sender) override;

    // The stored form: "DefaultFill" and "Enabled" when off, "PaintMode"
    // when not pcControl, the picture ("ImageList", "ListIndex",
    // "ImageIndex") and last "Internal" (TStyPictureRef::WriteStored). A
    // bad value raises EConvertError and changes nothing.
    void WriteStored(TStyStoredProperties& P) const;
    void ReadStored(const TStyStoredProperties& P);

protected:
    void Init() override;
    void Done() override;
    void Notification(TComponent* Component, TOperation Operation) override;
    TForm* Form() const;
    bool PictureValid() const;

private:
    std::unique_ptr<TStyPictureRef> FPicture;
    TStyPaintMode FPaintMode = pcControl;
};
