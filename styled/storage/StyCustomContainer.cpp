#include "styled/storage/StyCustomContainer.h"

#include <typeinfo>

#include "framework/classes/FileStream.h"
#include "framework/classes/MemoryStream.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/FileUtils.h"
#include "styled/storage/ContainerFiles.h"
#include "styled/storage/StreamRoutines.h"
#include "styled/storage/StyListItem.h"

TStyCustomContainer::TStyCustomContainer(TComponent* AOwner, TStyContainerKind Kind)
    : TStyBaseContainer(AOwner), FKind(Kind) {}

TStyCustomContainer::~TStyCustomContainer() {
    for (auto& item : FItems) item->OnChange = nullptr;
}

void TStyCustomContainer::Hook(TStyListItem* item) {
    item->FContainer = this;
    item->OnChange = [this](TObject* s) { GetChange(s); };
}

TStyListItem* TStyCustomContainer::Item(int Index) const {
    if (Index < 0 || Index >= Count()) return nullptr;
    return FItems[size_t(Index)].get();
}

TStyListItem* TStyCustomContainer::AddNew() {
    auto item = CreateItem();
    TStyListItem* p = item.get();
    Add(std::move(item));
    return p;
}

int TStyCustomContainer::Add(std::unique_ptr<TStyListItem> Item) {
    if (!Item) return -1;
    const auto probe = CreateItem();
    if (typeid(*Item) != typeid(*probe))
        throw Exception(Item->ClassName() + " cannot be kept in a " + ClassName());
    Hook(Item.get());
    FItems.push_back(std::move(Item));
    Change();
    return Count() - 1;
}

void TStyCustomContainer::Delete(int Index) {
    if (Index < 0 || Index >= Count()) return;
    FItems[size_t(Index)]->OnChange = nullptr;
    FItems.erase(FItems.begin() + Index);
    Change();
}

void TStyCustomContainer::Clear() {
    for (auto& item : FItems) item->OnChange = nullptr;
    FItems.clear();
    Change();
}

void TStyCustomContainer::CopySettings(const TStyCustomContainer& Source) { (void)Source; }

void TStyCustomContainer::Assign(TPersistent* Source) {
    if (Source == this) return;
    auto* s = dynamic_cast<TStyCustomContainer*>(Source);
    if (s && typeid(*s) == typeid(*this)) {
        std::vector<std::unique_ptr<TStyListItem>> copies;
        for (const auto& item : s->FItems) {
            auto copy = CreateItem();
            copy->Assign(item.get());
            copies.push_back(std::move(copy));
        }
        CopySettings(*s);
        for (auto& item : FItems) item->OnChange = nullptr;
        FItems = std::move(copies);
        for (auto& item : FItems) Hook(item.get());
        Change();
        return;
    }
    TStyBaseContainer::Assign(Source);
}

void TStyCustomContainer::WriteToStream(TStream* Stream, bool Indexed) {
    WriteInteger(Stream, Count());
    const Int64 table = Stream->Position();
    if (Indexed)
        for (int i = 0; i < Count(); ++i) WriteInteger(Stream, 0);
    std::vector<Int64> positions;
    for (auto& item : FItems) {
        positions.push_back(Stream->Position());
        item->WriteRecord(Stream);
    }
    if (!Indexed) return;
    const Int64 end = Stream->Position();
    Stream->SetPosition(table);
    for (Int64 p : positions) WriteInteger(Stream, static_cast<Integer>(p));
    Stream->SetPosition(end);
}

void TStyCustomContainer::ReadFromStream(TStream* Stream, bool Indexed) {
    const Integer count = ReadInteger(Stream);
    // Every record takes at least its flag byte: a count the stream cannot
    // hold is damage, not a reason to make millions of items.
    const Int64 left = Stream->Size() - Stream->Position();
    if (count < 0 || Int64(count) * (Indexed ? 5 : 1) > left) throw EReadError(RtlConsts::SReadError);
    if (Indexed) Stream->Seek(Int64(count) * 4, soCurrent);
    std::vector<std::unique_ptr<TStyListItem>> items;
    for (Integer i = 0; i < count; ++i) {
        auto item = CreateItem();
        item->ReadRecord(Stream);
        items.push_back(std::move(item));
    }
    for (auto& item : FItems) item->OnChange = nullptr;
    FItems = std::move(items);
    for (auto& item : FItems) Hook(item.get());
    Change();
}

void TStyCustomContainer::SaveToFile(const String& FileName) {
    TMemoryStream m;
    WriteShortString(&m, ContainerSignature(FKind));
    WriteToStream(&m, true);
    SafeWriteFile(FileName, String(reinterpret_cast<const char*>(m.Bytes().data()), m.Bytes().size()));
}

void TStyCustomContainer::LoadFromFile(const String& FileName) {
    TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
    String signature;
    ReadShortString(&f, signature);
    if (signature != ContainerSignature(FKind)) ThrowWrongContainerKind(FileName);
    ReadFromStream(&f, true);
}
