#pragma once
#include <memory>
#include <vector>

#include "styled/storage/StyBaseContainer.h"
#include "styled/storage/StyContainerTypes.h"

class TStream;
class TStyListItem;

// An ordered list of items of one kind, owned by the container; a change
// of any item is a change of the container. Written as the item count and
// the records (with an index of record positions in files).
class TStyCustomContainer : public TStyBaseContainer {
public:
    TStyCustomContainer(TComponent* AOwner, TStyContainerKind Kind);
    ~TStyCustomContainer() override;
    String ClassName() const override { return "TStyCustomContainer"; }
    // A container of the same class: its settings and a copy of every item.
    void Assign(TPersistent* Source) override;

    TStyContainerKind Kind() const { return FKind; }
    int Count() const { return static_cast<int>(FItems.size()); }
    TStyListItem* Item(int Index) const;  // nullptr out of range
    // A new empty item of the container's kind, appended.
    TStyListItem* AddNew();
    // Takes the item over (it must be of the container's kind).
    int Add(std::unique_ptr<TStyListItem> Item);
    void Delete(int Index);
    void Clear();

    // With Indexed, 4 bytes per item follow the count, holding the
    // absolute position of each record.
    void WriteToStream(TStream* Stream, bool Indexed);
    // Replaces the items; a damaged stream leaves them as they were.
    void ReadFromStream(TStream* Stream, bool Indexed);
    // Signature, then the indexed stream. Written safely: a failed write
    // leaves the old file.
    void SaveToFile(const String& FileName);
    // EFOpenError; a file of another kind raises Exception.
    void LoadFromFile(const String& FileName);

    // A new empty item of this container's kind, owned by nobody.
    virtual std::unique_ptr<TStyListItem> CreateItem() const = 0;

protected:
    virtual void CopySettings(const TStyCustomContainer& Source);

private:
    void Hook(TStyListItem* item);
    TStyContainerKind FKind;
    std::vector<std::unique_ptr<TStyListItem>> FItems;
};
