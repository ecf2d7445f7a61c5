#pragma once
#include <memory>
#include <vector>

#include "framework/classes/Component.h"
#include "framework/graphics/Color.h"

class TBitmap;
class TCanvas;

// A row of equally sized images, each with a mask. Masked-out pixels are
// not drawn; a disabled image is drawn embossed in the classic way: the
// shape in clBtnHighlight one pixel down and right, then in clBtnShadow.
class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner = nullptr);
    TImageList(TComponent* owner, int width, int height);
    ~TImageList() override;
    String ClassName() const override { return "TImageList"; }
    void Assign(TPersistent* source) override;

    int Width() const { return FWidth; }
    void SetWidth(int v);    // clears the list when it changes
    int Height() const { return FHeight; }
    void SetHeight(int v);
    int Count() const { return static_cast<int>(FImages.size()); }
    bool Masked = true;
    TColor BkColor = clNone;

    // A bitmap wider than Width adds one image per Width-wide cell. The
    // mask is monochrome-like: its black pixels show, white ones hide;
    // nullptr shows all. Returns the index of the first added image.
    int Add(TBitmap* image, TBitmap* mask);
    int AddMasked(TBitmap* image, TColor maskColor);
    void Replace(int index, TBitmap* image, TBitmap* mask);
    void Delete(int index);  // -1 clears the list
    void Clear();
    void Move(int curIndex, int newIndex);
    // Copies image `index` into `image`, sized Width x Height; hidden
    // pixels take BkColor, or clBtnFace when that is clNone.
    void GetBitmap(int index, TBitmap* image) const;

    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true) const;

    TNotifyEvent OnChange;

protected:
    virtual void Change();

private:
    struct Entry;
    void CheckIndex(int index) const;
    Entry MakeEntry(TBitmap* image, TBitmap* mask, int left, bool byColor, TColor maskColor) const;
    int FWidth = 16;
    int FHeight = 16;
    std::vector<std::shared_ptr<Entry>> FImages;
};
