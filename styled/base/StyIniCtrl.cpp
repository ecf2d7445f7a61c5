#include "styled/base/StyIniCtrl.h"

#include "framework/rtl/FileUtils.h"
#include "styled/base/SysHelpers.h"

TStyIniCtrl::TStyIniCtrl(TComponent* AOwner) : TStyComponent(AOwner) {}

void TStyIniCtrl::SetAlphaCounter(bool Value) {
    if (Value == FAlphaCounter) return;
    FAlphaCounter = Value;
    if (FMaxEntries > 26) FMaxEntries = 26;
}

void TStyIniCtrl::SetCommon(bool Value) { FCommon = Value; }

void TStyIniCtrl::SetIniFile(const String& Value) {
    const String v = (!Value.empty() && ExtractFileExt(Value).empty()) ? Value + ".INI" : Value;
    FIniFile = v;
}

void TStyIniCtrl::SetIniPrefix(TStyPathPrefix Value) { FIniPrefix = Value; }

void TStyIniCtrl::SetMaxEntries(Byte Value) {
    if (Value == FMaxEntries) return;
    if (FAlphaCounter && Value > 26) return;
    FMaxEntries = Value;
}

void TStyIniCtrl::SetNetUser(bool Value) {
    if (Value == FNetUser) return;
    FNetUser = Value;
    if (Value) FUser = GetNetUser();
}

void TStyIniCtrl::SetUser(const String& Value) { FUser = Value; }
void TStyIniCtrl::SetRegPath(const String& Value) { FRegPath = Value; }
void TStyIniCtrl::SetRegRoot(TStyRegRootKey Value) { FRegRoot = Value; }
void TStyIniCtrl::SetTarget(TStyIniTarget Value) { FTarget = Value; }

String TStyIniCtrl::GetNetUser() const { return GetNetUserName(); }
