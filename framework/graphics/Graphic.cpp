#include "framework/graphics/Graphic.h"

#include "framework/classes/FileStream.h"
#include "framework/classes/MemoryStream.h"

void TGraphic::SetTransparent(bool v) {
    if (v == FTransparent) return;
    FTransparent = v;
    Changed();
}

void TGraphic::SetModified(bool v) {
    if (v)
        Changed();
    else
        FModified = false;
}

void TGraphic::Changed() {
    FModified = true;
    if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const String& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const String& fileName) {
    // Built in memory first, so a graphic that fails to encode leaves the
    // old file as it was; the memory stream replaces the file safely.
    TMemoryStream stream;
    SaveToStream(&stream);
    stream.SaveToFile(fileName);
}
