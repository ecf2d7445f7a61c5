#include "styled/storage/StyListItem.h"

#include "framework/classes/Stream.h"
#include "styled/storage/StreamRoutines.h"

TStyListItem::TStyListItem(TComponent* AOwner) : TStyComponent(AOwner) {}

void TStyListItem::SetDescription(const String& Value) {
    if (Value == FDescription) return;
    FDescription = Value;
    Change();
}

void TStyListItem::SetIdent(Word Value) {
    if (Value == FIdent) return;
    FIdent = Value;
    Change();
}

void TStyListItem::SetCompressed(bool Value) {
    if (Value == FCompressed) return;
    FCompressed = Value;
    Change();
}

void TStyListItem::SetPixelFormat(TStySavePixelFormat Value) {
    if (Value == FPixelFormat) return;
    FPixelFormat = Value;
    Change();
}

void TStyListItem::WriteRecord(TStream* Stream) {
    const bool data = HasData();
    Byte flags = 0;
    if (FCompressed) flags |= rfCompressed;
    // The record keeps at most 255 bytes of the description.
    if (!FDescription.empty()) flags |= rfDescription;
    if (FIdent != 0) flags |= rfIdent;
    if (data) flags |= rfData;
    if (FPixelFormat == spfMono) flags |= rfMono;
    if (FPixelFormat == spf4bit) flags |= rf4bit;
    if (FPixelFormat == spf8bit) flags |= rf8bit;
    WriteByte(Stream, flags);
    if (flags & rfDescription) WriteShortString(Stream, FDescription);
    if (flags & rfIdent) WriteInteger(Stream, FIdent);
    WriteData(Stream, data);
}

void TStyListItem::ReadRecord(TStream* Stream) {
    const Byte flags = ReadByte(Stream);
    String description;
    if (flags & rfDescription) ReadShortString(Stream, description);
    const Word ident = (flags & rfIdent) ? static_cast<Word>(ReadInteger(Stream)) : Word(0);
    // The data is read with the record's settings; a record that breaks
    // off leaves the item as it was.
    const bool oldCompressed = FCompressed;
    const TStySavePixelFormat oldFormat = FPixelFormat;
    FCompressed = flags & rfCompressed;
    FPixelFormat = (flags & rfMono) ? spfMono : (flags & rf4bit) ? spf4bit : (flags & rf8bit) ? spf8bit : spfDefault;
    try {
        ReadData(Stream, flags & rfData);
    } catch (...) {
        FCompressed = oldCompressed;
        FPixelFormat = oldFormat;
        throw;
    }
    FDescription = description;
    FIdent = ident;
    Change();
}
