#pragma once
#include <memory>
#include <vector>

#include "framework/classes/Persistent.h"

class TStatusBar;
class TStatusPanel;

// The panels of a status bar.
class TStatusPanels : public TPersistent {
public:
    explicit TStatusPanels(TStatusBar* owner);
    ~TStatusPanels() override;
    String ClassName() const override { return "TStatusPanels"; }

    int Count() const { return static_cast<int>(FItems.size()); }
    TStatusPanel* Items(int index) const;
    TStatusPanel* operator[](int index) const { return Items(index); }
    TStatusPanel* Add();
    void Delete(int index);
    void Clear();

private:
    TStatusBar* FOwner;
    std::vector<std::unique_ptr<TStatusPanel>> FItems;
};
