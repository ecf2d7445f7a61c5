#pragma once
#include <memory>

#include "styled/base/StyComponent.h"

class TStyCustomImageList;
class TStyPictureRef;

// A non-visual component with a picture taken from a container (the base
// of the library's dialogs).
class TStyContainerComponent : public TStyComponent {
public:
    explicit TStyContainerComponent(TComponent* AOwner);
    ~TStyContainerComponent() override;
    String ClassName() const override { return "TStyContainerComponent"; }

    TStyCustomImageList* ImageList() const;
    void SetImageList(TStyCustomImageList* Value);
    int ImageIndex() const;
    void SetImageIndex(int Value);
    int ListIndex() const;
    void SetListIndex(int Value);
    bool PictureValid() const;

    // Reports a change by default; a dialog rebuilds what shows the picture.
    virtual void PictureChanged();

protected:
    void Notification(TComponent* Component, TOperation Operation) override;

private:
    std::unique_ptr<TStyPictureRef> FPicture;
};
