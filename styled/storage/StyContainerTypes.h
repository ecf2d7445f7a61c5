#pragma once
// Kinds of container, their file signatures and extensions, and the depth
// pictures are stored at.
#include "framework/rtl/Types.h"

enum TStyContainerKind : Byte {
    ckImageList = 0,
    ckBitmapList = 1,
    ckWaveList = 2,
    ckStringList = 3,
    ckRichTextList = 4,
    ckUnknown = 5,  // a file of none of the kinds
};

enum TStySavePixelFormat { spfDefault, spfMono, spf4bit, spf8bit };

// "STYIML30", "STYBML30", "STYWVL30", "STYSLL30", "STYRTL30"; empty for
// any other kind.
String ContainerSignature(int Kind);
// "iml", "bmp", "wav", "txt", "rtf", with "." before it when WithDot;
// empty for any other kind.
String ContainerExtension(int Kind, bool WithDot);
// The colour count pictures are stored with: -1 (the picture as it is),
// 2, 16 or 256.
int StoredColorCount(TStySavePixelFormat Format);
