#include "styled/storage/ContainerFiles.h"

#include "framework/classes/FileStream.h"
#include "framework/graphics/Bitmap.h"
#include "framework/rtl/Exception.h"
#include "styled/storage/StreamRoutines.h"
#include "styled/storage/StyBitmapListItem.h"
#include "styled/storage/StyListItem.h"

void ThrowWrongContainerKind(const String& FileName) { throw Exception("Cannot open file %s: " + FileName); }

int ReadContainerHeader(const String& FileName, std::vector<Integer>* Positions) {
    TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
    Byte head[9] = {};
    if (f.Read(head, 9) != 9 || head[0] != 8) return ckUnknown;
    const String signature(reinterpret_cast<const char*>(head + 1), 8);
    int kind = ckUnknown;
    for (int k = ckImageList; k <= ckRichTextList; ++k)
        if (signature == ContainerSignature(k)) kind = k;
    if (kind == ckUnknown) return kind;
    const Integer count = ReadInteger(&f);
    if (Positions) {
        if (count < 0 || Int64(count) * 4 > f.Size() - f.Position()) throw EReadError(RtlConsts::SReadError);
        Positions->clear();
        for (Integer i = 0; i < count; ++i) Positions->push_back(ReadInteger(&f));
    }
    return kind;
}

bool LoadItemFromContainerFile(const String& FileName, int Kind, const std::vector<Integer>* Positions,
                               TStyListItem* Item, int Index) {
    std::vector<Integer> own;
    const bool given = Positions != nullptr;
    if (!given) {
        if (ReadContainerHeader(FileName, &own) != Kind) ThrowWrongContainerKind(FileName);
        Positions = &own;
    }
    if (!Item) return given;
    if (Index < 0 || size_t(Index) >= Positions->size())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
    // A position from a damaged table may point anywhere: a record starts
    // past the header and before the end of the file.
    const Integer at = (*Positions)[size_t(Index)];
    if (at < 9 + 4 || Int64(at) >= f.Size()) throw EReadError(RtlConsts::SReadError);
    f.SetPosition(at);
    Item->ReadRecord(&f);
    return given;
}

void LoadBitmapFromContainerFile(const String& FileName, int Index, TGraphic* Graphic) {
    TStyBitmapListItem item;
    LoadItemFromContainerFile(FileName, ckBitmapList, nullptr, &item, Index);
    if (Graphic) Graphic->Assign(item.Bitmap());
}
