#include "styled/base/StyApplication.h"

#include <chrono>

#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/Screen.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/BitmapResources.h"
#include "framework/graphics/Canvas.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/InstanceGuard.h"
#include "framework/system/LocalChannel.h"
#include "framework/system/ProgramFolder.h"
#include "styled/base/StyEOneInstError.h"
#include "styled/base/StyIniCtrl.h"
#include "styled/base/StyTimerItem.h"
#include "styled/base/StyTimerPool.h"
#include "styled/base/SysHelpers.h"

TStyApplication* StyApplication = nullptr;

namespace {
constexpr const char* kActivateRequest = "activate";
}

TStyApplication::TStyApplication(TComponent* AOwner, const String& InstanceName)
    : TComponent(nullptr),
      FInstanceName(InstanceName.empty() ? ExtractFileName(ProgramFile()) : InstanceName) {
    (void)AOwner;
    FIniCtrl = new TStyIniCtrl(this);

    // The lock is held for the life of this object; only the copy holding
    // it listens, and a copy that found it taken never does.
    FGuard = std::make_unique<TInstanceGuard>(FInstanceName);
    FPrevInstance = FGuard->PrevInstance();
    if (!FPrevInstance && FGuard->Held())
        FChannel = std::make_unique<TLocalChannelServer>(FInstanceName, [this](const String& message) {
            if (message != kActivateRequest) return;
            ++FActivationRequests;
            BringThisCopyForward();
        });

    FTimerPool = new TStyTimerPool(this, 50);
    LogPrefix = ppProgram;
    SetLogFile(String());
    using Clock = std::chrono::steady_clock;
    FPerformanceFrequency = static_cast<Int64>(Clock::period::den / Clock::period::num);

    TBitmap cursor;
    int hotX = 0, hotY = 0;
    if (Screen && FindCursorResource(StyCursorResource, &cursor, hotX, hotY))
        Screen->SetCursorImage(crStyCursor, &cursor, hotX, hotY);

    if (!StyApplication) StyApplication = this;
}

TStyApplication::~TStyApplication() {
    if (StyApplication == this) StyApplication = nullptr;
    // Components first (the pool stops its timer), then the caches, and
    // the lock last, as the mutex was.
    DestroyComponents();
    FIniCtrl = nullptr;
    FTimerPool = nullptr;
    FPatternBitmap.reset();
    FChannel.reset();
    FGuard.reset();
}

void TStyApplication::SetLogFile(const String& Name) {
    String name;
    if (Name.empty())
        name = ChangeFileExt(ProgramFile(), ".LOG");
    else
        name = ExtractFileExt(Name).empty() ? Name + ".LOG" : Name;
    FLogFile = LogPrefix == ppFixed ? name : GetPrefixPath(LogPrefix, true) + ExtractFileName(name);
}

Word TStyApplication::AddTimer(Word Interval, TNotifyEvent Event) {
    for (int n = 0; n < TimerSlotCount; ++n) {
        if (FTimerSlots[static_cast<size_t>(n)]) continue;
        const Word id = static_cast<Word>(FirstTimerId + n);
        FTimerPool->Add(id, Interval, std::move(Event));  // raises: the slot stays free
        FTimerSlots[static_cast<size_t>(n)] = true;
        return id;
    }
    return 0;
}

void TStyApplication::RemoveTimer(Word ID) {
    if (ID < FirstTimerId || ID >= FirstTimerId + TimerSlotCount) return;
    FTimerPool->Remove(ID);
    FTimerSlots[static_cast<size_t>(ID - FirstTimerId)] = false;
}

TStyTimerItem* TStyApplication::GetTimer(Word ID) const { return FTimerPool->FindItem(ID); }

bool TStyApplication::TimerSlotUsed(Word ID) const {
    if (ID < FirstTimerId || ID >= FirstTimerId + TimerSlotCount) return false;
    return FTimerSlots[static_cast<size_t>(ID - FirstTimerId)];
}

TBitmap* TStyApplication::GetPatternBitmap(TColor Color) {
    if (FPatternBitmap && Color == FPatternColor) return FPatternBitmap.get();
    if (!FPatternBitmap) FPatternBitmap = std::make_unique<TBitmap>();
    TBitmap* bmp = FPatternBitmap.get();
    bmp->SetSize(8, 8);
    TCanvas* canvas = bmp->Canvas();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) canvas->SetPixels(x, y, ((x + y) & 1) ? Color : clWhite);
    FPatternColor = Color;
    return bmp;
}

bool TStyApplication::ActivatePrevInstance() {
    if (!FPrevInstance) return false;
    return SendLocalChannelMessage(FInstanceName, kActivateRequest);
}

void TStyApplication::BringThisCopyForward() {
    if (!Application || !Application->MainForm()) return;
    if (Application->MainForm()->WindowState() == wsMinimized)
        Application->Restore();
    else
        Application->BringToFront();
}

bool TStyApplication::ListeningForCopies() const { return FChannel && FChannel->Listening(); }

bool ActivatePrevInstance() { return StyApplication && StyApplication->ActivatePrevInstance(); }

namespace {
bool OwnerRefused(TComponent* Owner, bool AllowDataModule) {
    if (!Owner) return true;
    const bool isForm = dynamic_cast<TForm*>(Owner) != nullptr;
    // This framework has no data module class; a non-visual container is
    // what one was.
    const bool isDataModule = !isForm && dynamic_cast<TControl*>(Owner) == nullptr;
    return !isForm && !(AllowDataModule && isDataModule);
}

int CountOwned(TComponent* Owner, const std::function<bool(TComponent*)>& IsOfClass) {
    int n = 0;
    for (int i = 0; i < Owner->ComponentCount(); ++i)
        if (IsOfClass(Owner->Components(i))) ++n;
    return n;
}
}  // namespace

bool CheckOwnerInstance(TComponent* Owner, const std::function<bool(TComponent*)>& IsOfClass,
                        bool AllowDataModule) {
    if (OwnerRefused(Owner, AllowDataModule)) return true;
    return IsOfClass && CountOwned(Owner, IsOfClass) > 1;
}

TComponent* RequireOnePerForm(TComponent* Owner, const std::function<bool(TComponent*)>& IsOfClass,
                              const String& ClassName, bool AllowDataModule) {
    if (OwnerRefused(Owner, AllowDataModule) || (IsOfClass && CountOwned(Owner, IsOfClass) > 0))
        throw StyEOneInstError(ClassName, 0);
    return Owner;
}
