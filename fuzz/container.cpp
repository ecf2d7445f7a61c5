// Container files of every kind: the whole list, and each item on its own
// through the position table.
#include <memory>
#include <vector>

#include "fuzz/FuzzInput.h"
#include "styled/storage/ContainerFiles.h"
#include "styled/storage/StyBitmapList.h"
#include "styled/storage/StyBitmapListItem.h"
#include "styled/storage/StyImageList.h"
#include "styled/storage/StyImageListItem.h"
#include "styled/storage/StyStringList.h"
#include "styled/storage/StyStringListItem.h"
#include "styled/storage/StyWaveList.h"
#include "styled/storage/StyWaveListItem.h"

namespace {
std::unique_ptr<TStyCustomContainer> ListOf(int kind) {
    switch (kind) {
        case ckImageList: return std::make_unique<TStyImageList>(nullptr);
        case ckBitmapList: return std::make_unique<TStyBitmapList>(nullptr);
        case ckWaveList: return std::make_unique<TStyWaveList>(nullptr);
        case ckStringList: return std::make_unique<TStyStringList>(nullptr);
        default: return nullptr;
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::InputFile("list.sty", data, size);
    int kind = ckUnknown;
    std::vector<Integer> positions;
    fuzz::Refusable([&] { kind = ReadContainerHeader(path, &positions); });
    auto list = ListOf(kind);
    if (!list) return 0;
    fuzz::Refusable([&] { list->LoadFromFile(path); });
    for (std::size_t i = 0; i < positions.size() && i < 16; ++i)
        fuzz::Refusable([&] {
            auto item = list->CreateItem();
            LoadItemFromContainerFile(path, kind, &positions, item.get(), static_cast<int>(i));
        });
    return 0;
}
