#pragma once
#include <functional>
#include <memory>

#include "framework/rtl/Types.h"

class TComponent;
class TStyChangeLink;
class TStyCustomImageList;

// The picture a control or component shows out of a container: the list,
// the pair (ListIndex, ImageIndex), and the change link through which the
// list tells of its changes. The holder hands its picture-changed
// operation over and forwards its removal notices.
class TStyPictureRef {
public:
    TStyPictureRef(TComponent* Holder, std::function<void()> PictureChanged);
    ~TStyPictureRef();
    TStyPictureRef(const TStyPictureRef&) = delete;
    TStyPictureRef& operator=(const TStyPictureRef&) = delete;

    TStyCustomImageList* ImageList() const { return FImageList; }
    void SetImageList(TStyCustomImageList* Value);
    // A negative value or the current one is ignored; the picture changes
    // only while a list is set.
    int ImageIndex() const { return FIndex[0]; }
    void SetImageIndex(int Value) { SetIndex(0, Value); }
    int ListIndex() const { return FIndex[1]; }
    void SetListIndex(int Value) { SetIndex(1, Value); }
    // A list is set and holds the pair.
    bool Valid() const;
    // For the holder's Notification: true when Component was the list and
    // the reference is now cleared (the picture-changed operation has run).
    bool Removed(TComponent* Component);
    TStyChangeLink* Link() const { return FLink.get(); }

private:
    void SetIndex(int Which, int Value);

    TComponent* FHolder;
    std::function<void()> FPictureChanged;
    std::unique_ptr<TStyChangeLink> FLink;
    TStyCustomImageList* FImageList = nullptr;
    int FIndex[2] = {0, 0};
};
