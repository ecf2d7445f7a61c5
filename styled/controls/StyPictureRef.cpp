#include "styled/controls/StyPictureRef.h"

#include "framework/controls/Screen.h"
#include "framework/controls/Form.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/StrUtils.h"

#include <cstdint>
#include "styled/graphics/StyStoredProperties.h"
#include "styled/storage/StyChangeLink.h"
#include "styled/storage/StyContainer.h"
#include "styled/storage/StyCustomImageList.h"

namespace {

// The form a component sits on, as far up as owners go.
TComponent* FormOf(TComponent* c) {
    while (c && !dynamic_cast<TForm*>(c)) c = c->Owner();
    return c;
}

}  // namespace

TStyPictureRef::TStyPictureRef(TComponent* Holder, std::function<void()> PictureChanged)
    : FHolder(Holder), FPictureChanged(std::move(PictureChanged)), FLink(std::make_unique<TStyChangeLink>()) {
    FLink->OnChange = [this](TObject*) {
        if (FPictureChanged) FPictureChanged();
    };
}

TStyPictureRef::~TStyPictureRef() {
    if (FImageList) {
        FImageList->UnRegisterChangeLink(FLink.get());
        if (FHolder) FImageList->RemoveFreeNotification(FHolder);
    }
}

void TStyPictureRef::SetImageList(TStyCustomImageList* Value) {
    if (Value == FImageList) return;
    if (FImageList) {
        FImageList->UnRegisterChangeLink(FLink.get());
        if (FHolder) FImageList->RemoveFreeNotification(FHolder);
    }
    FImageList = Value;
    if (FImageList) {
        FImageList->RegisterChangeLink(FLink.get());
        if (FHolder) FImageList->FreeNotification(FHolder);
    }
    if (FPictureChanged) FPictureChanged();
}

void TStyPictureRef::SetIndex(int Which, int Value) {
    if (Value < 0 || Value == FIndex[Which]) return;
    FIndex[Which] = Value;
    if (FImageList && FPictureChanged) FPictureChanged();
}

bool TStyPictureRef::Valid() const { return FImageList && FImageList->IsValid(FIndex[1], FIndex[0]); }

bool TStyPictureRef::Removed(TComponent* Component) {
    if (!Component || Component != static_cast<TComponent*>(FImageList)) return false;
    // The list is going: it has let go of its links already, so only the
    // reference is dropped.
    FImageList = nullptr;
    if (FPictureChanged) FPictureChanged();
    return true;
}

void TStyPictureRef::WriteStored(TStyStoredProperties& P) const {
    const String internal = InternalListName(FImageList);
    if (FImageList && internal.empty()) {
        TComponent* listForm = FormOf(FImageList);
        const bool ours = listForm && listForm == FormOf(FHolder);
        const String name = FImageList->Name();
        P.WriteText("ImageList", ours || !listForm ? name : listForm->Name() + "." + name);
    }
    if (FIndex[1] != 0) P.WriteInteger("ListIndex", FIndex[1]);
    if (FIndex[0] != 0) P.WriteInteger("ImageIndex", FIndex[0]);
    if (!internal.empty()) P.WriteText("Internal", internal);
}

void TStyPictureRef::ReadStored(const TStyStoredProperties& P) {
    TStyCustomImageList* list = FImageList;
    if (P.Has("ImageList")) {
        const String name = P.ReadText("ImageList", String());
        TComponent* owner = FormOf(FHolder);
        String item = name;
        if (const auto dot = name.find('.'); dot != String::npos) {
            owner = nullptr;
            const String formName = name.substr(0, dot);
            for (int i = 0; Screen && i < Screen->FormCount(); ++i)
                if (SameText(Screen->Forms(i)->Name(), formName)) owner = Screen->Forms(i);
            item = name.substr(dot + 1);
        }
        list = owner ? dynamic_cast<TStyCustomImageList*>(owner->FindComponent(item)) : nullptr;
        if (!list) throw EConvertError("Invalid property value: ImageList=" + name);
    }
    if (P.Has("Internal")) {
        const String name = P.ReadText("Internal", String());
        list = InternalList(name);
        if (!list) throw EConvertError("Invalid property value: Internal=" + name);
    }
    const int listIndex = P.ReadInteger("ListIndex", 0, 0, INT32_MAX);
    const int imageIndex = P.ReadInteger("ImageIndex", 0, 0, INT32_MAX);
    FIndex[1] = listIndex;
    FIndex[0] = imageIndex;
    if (list != FImageList)
        SetImageList(list);
    else if (FPictureChanged)
        FPictureChanged();
}
