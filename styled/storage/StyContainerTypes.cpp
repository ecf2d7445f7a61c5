#include "styled/storage/StyContainerTypes.h"

namespace {
const char* const kSignatures[] = {"STYIML30", "STYBML30", "STYWVL30", "STYSLL30", "STYRTL30"};
const char* const kExtensions[] = {"iml", "bmp", "wav", "txt", "rtf"};
}  // namespace

String ContainerSignature(int Kind) {
    if (Kind < 0 || Kind > ckRichTextList) return String();
    return kSignatures[Kind];
}

String ContainerExtension(int Kind, bool WithDot) {
    if (Kind < 0 || Kind > ckRichTextList) return String();
    return (WithDot ? "." : "") + String(kExtensions[Kind]);
}

int StoredColorCount(TStySavePixelFormat Format) {
    switch (Format) {
        case spfMono: return 2;
        case spf4bit: return 16;
        case spf8bit: return 256;
        default: return -1;
    }
}
