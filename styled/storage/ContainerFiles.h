#pragma once
// Reading container files item by item, without loading the container.
#include <vector>

#include "framework/rtl/Types.h"
#include "styled/storage/StyContainerTypes.h"

class TGraphic;
class TStyListItem;

// The kind of the container file (0..4), or ckUnknown for any other
// signature (then no positions are read). With Positions, the absolute
// position of every item record. EFOpenError for a missing file.
int ReadContainerHeader(const String& FileName, std::vector<Integer>* Positions);

// Fills Item from record Index of the file. Without Positions the header
// is read first and must be of Kind; a file of another kind raises
// Exception "Cannot open file %s: <file>". An index out of range raises
// EListError. True when a position list was passed in.
bool LoadItemFromContainerFile(const String& FileName, int Kind, const std::vector<Integer>* Positions,
                               TStyListItem* Item, int Index);

// The bitmap of item Index of a bitmap-list file, copied into Graphic.
void LoadBitmapFromContainerFile(const String& FileName, int Index, TGraphic* Graphic);

// The error of a file of the wrong kind (the message names the file after
// the platform's unfilled text, as the library always showed it).
[[noreturn]] void ThrowWrongContainerKind(const String& FileName);
