#pragma once
#include <memory>

#include "styled/storage/StyListItem.h"

class TStrings;
class TStringList;

// An item holding a list of lines.
class TStyStringListItem : public TStyListItem {
public:
    explicit TStyStringListItem(TComponent* AOwner = nullptr);
    ~TStyStringListItem() override;
    String ClassName() const override { return "TStyStringListItem"; }
    // A plain string list gives its lines; another string item everything.
    void Assign(TPersistent* Source) override;

    TStrings* Items() const;
    void SetItems(TStrings* Value);

protected:
    bool HasData() const override;
    void WriteData(TStream* Stream, bool DataPresent) override;
    void ReadData(TStream* Stream, bool DataPresent) override;

private:
    std::unique_ptr<TStringList> FItems;
};
