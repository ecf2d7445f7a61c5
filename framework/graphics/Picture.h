#pragma once
#include <functional>
#include <memory>

#include "framework/classes/Persistent.h"
#include "framework/graphics/Graphic.h"

class TBitmap;

using TGraphicFactory = std::function<std::unique_ptr<TGraphic>()>;

// Holds one graphic of any registered kind. Files are read by the class
// registered for their extension (case-insensitive, without the dot):
// "bmp", "jpeg" and "jpg" are built in.
class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;
    String ClassName() const override { return "TPicture"; }
    void Assign(TPersistent* source) override;  // a TPicture, a TGraphic or nullptr

    TGraphic* Graphic() const { return FGraphic.get(); }
    void SetGraphic(TGraphic* value);  // copies it (nullptr empties the picture)
    // The graphic as a bitmap: a non-bitmap graphic is replaced by an empty
    // bitmap, as drawing on a picture's bitmap expects.
    TBitmap* Bitmap();
    int Width() const;
    int Height() const;

    // EInvalidGraphic "Unknown picture file extension (.xyz)" for an
    // unregistered extension.
    void LoadFromFile(const String& fileName);
    void SaveToFile(const String& fileName);

    static void RegisterFileFormat(const String& extension, const String& description,
                                   TGraphicFactory factory);
    static void UnregisterFileFormat(const String& extension);
    // nullptr when nothing is registered for the extension.
    static std::unique_ptr<TGraphic> CreateGraphicForExtension(const String& extension);
    // "JPEG Image File (*.jpg)|*.jpg|..." for open and save dialogs.
    static String GraphicFilter();

    TNotifyEvent OnChange;

protected:
    void AssignTo(TPersistent* dest) override;
    virtual void Changed();

private:
    void Adopt(std::unique_ptr<TGraphic> graphic);
    std::unique_ptr<TGraphic> FGraphic;
};
