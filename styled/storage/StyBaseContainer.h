#pragma once
#include <vector>

#include "styled/base/StyComponent.h"

class TStyChangeLink;

// A container tells every registered link of a change (in the order they
// registered), then its own OnChange. Going away, it lets go of every link
// first, so no link points at a freed container.
class TStyBaseContainer : public TStyComponent {
public:
    explicit TStyBaseContainer(TComponent* AOwner);
    ~TStyBaseContainer() override;
    String ClassName() const override { return "TStyBaseContainer"; }

    void RegisterChangeLink(TStyChangeLink* Link);
    // A link that is not registered here is ignored.
    void UnRegisterChangeLink(TStyChangeLink* Link);
    int LinkCount() const { return static_cast<int>(FLinks.size()); }

    void Change() override;

private:
    std::vector<TStyChangeLink*> FLinks;
};
