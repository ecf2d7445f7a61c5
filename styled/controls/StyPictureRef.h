#pragma once
#include <functional>
#include <memory>

#include "framework/rtl/Types.h"

class TComponent;
class TStyChangeLink;
class TStyCustomImageList;
class TStyStoredProperties;

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

    // The stored form: "ImageList" names a list of the holder's form (or
    // Form.List of another form) and is written only for a list that is
    // not the default container's, "ListIndex" and "ImageIndex" when not
    // 0, and last "Internal", the default container's list by its
    // signature. Reading a name that finds no list, or an index that is
    // not 0 or above, raises EConvertError and changes nothing.
    void WriteStored(TStyStoredProperties& P) const;
    void ReadStored(const TStyStoredProperties& P);

private:
    void SetIndex(int Which, int Value);

    TComponent* FHolder;
    std::function<void()> FPictureChanged;
    std::unique_ptr<TStyChangeLink> FLink;
    TStyCustomImageList* FImageList = nullptr;
    int FIndex[2] = {0, 0};
};
