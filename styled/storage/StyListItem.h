#pragma once
#include "styled/base/StyComponent.h"
#include "styled/storage/StyContainerTypes.h"

class TStream;
class TStyCustomContainer;

// One entry of a container: a description, an identifier and its data,
// stored as one record (flags, the optional description and identifier,
// then the data of the item's kind). In a window description the record
// is the item's binary property "Internal".
class TStyListItem : public TStyComponent {
public:
    explicit TStyListItem(TComponent* AOwner = nullptr);
    String ClassName() const override { return "TStyListItem"; }

    const String& Description() const { return FDescription; }
    void SetDescription(const String& Value);
    Word Ident() const { return FIdent; }
    void SetIdent(Word Value);
    bool Compressed() const { return FCompressed; }
    void SetCompressed(bool Value);
    TStySavePixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TStySavePixelFormat Value);
    TStyCustomContainer* Container() const { return FContainer; }

    void WriteRecord(TStream* Stream);
    // Reads a record over what the item held.
    void ReadRecord(TStream* Stream);

    // Record flags.
    enum : Byte {
        rfCompressed = 1,
        rfDescription = 2,
        rfIdent = 4,
        rfData = 8,
        rfMono = 16,
        rf4bit = 32,
        rf8bit = 64,
    };

protected:
    virtual bool HasData() const = 0;
    virtual void WriteData(TStream* Stream, bool DataPresent) = 0;
    virtual void ReadData(TStream* Stream, bool DataPresent) = 0;

private:
    friend class TStyCustomContainer;
    String FDescription;
    Word FIdent = 0;
    bool FCompressed = false;
    TStySavePixelFormat FPixelFormat = spfDefault;
    TStyCustomContainer* FContainer = nullptr;
};
