#pragma once
#include "styled/storage/StyBaseContainer.h"

class TStyBitmapList;
class TStyCustomImageList;
class TStyImageList;
class TStyStringList;
class TStyWaveList;

// One list of each kind; a change in any of them is a change of the
// container.
class TStyContainer : public TStyBaseContainer {
public:
    explicit TStyContainer(TComponent* AOwner);
    ~TStyContainer() override;
    String ClassName() const override { return "TStyContainer"; }

    TStyBitmapList* BitmapList() const { return FBitmapList; }
    TStyImageList* ImageList() const { return FImageList; }
    TStyWaveList* WaveList() const { return FWaveList; }
    TStyStringList* StringList() const { return FStringList; }

private:
    TStyBitmapList* FBitmapList;
    TStyImageList* FImageList;
    TStyWaveList* FWaveList;
    TStyStringList* FStringList;
};

// The container every window can refer to, made on first use and kept
// until the program ends.
TStyContainer* StyDefaultContainer();

// A reference to one of the default container's picture lists is stored
// as the text "Internal": the list's signature ("STYBML30", "STYIML30").
// Empty for any other list.
String InternalListName(const TStyCustomImageList* List);
// The default container's list of that signature; nullptr for any other
// text.
TStyCustomImageList* InternalList(const String& Name);
