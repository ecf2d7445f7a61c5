#pragma once
#include <memory>

#include "styled/storage/StyListItem.h"

class TStyWave;

// An item holding one sound.
class TStyWaveListItem : public TStyListItem {
public:
    explicit TStyWaveListItem(TComponent* AOwner = nullptr);
    ~TStyWaveListItem() override;
    String ClassName() const override { return "TStyWaveListItem"; }
    void Assign(TPersistent* Source) override;

    TStyWave* Wave() const { return FWave.get(); }
    void SetWave(TStyWave* Value);

protected:
    bool HasData() const override;
    void WriteData(TStream* Stream, bool DataPresent) override;
    void ReadData(TStream* Stream, bool DataPresent) override;

private:
    std::unique_ptr<TStyWave> FWave;
};
