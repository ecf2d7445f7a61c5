#pragma once
#include "styled/base/StyComponent.h"
#include "styled/base/StyTypes.h"

enum TStyRegRootKey { rpClassesRoot, rpCurrentUser, rpLocalMachine, rpUsers, rpCurrentConfig, rpDynData };
enum TStyIniTarget { itIniFile, itRegistry, itAuto };

// Where a program's settings would be kept: an INI file by name and
// folder prefix, or a registry path. Only the settings are held here; the
// program reads and writes its settings elsewhere.
class TStyIniCtrl : public TStyComponent {
public:
    explicit TStyIniCtrl(TComponent* AOwner);
    String ClassName() const override { return "TStyIniCtrl"; }

    bool AlphaCounter() const { return FAlphaCounter; }
    // Letters count only 26 entries: switching it caps MaxEntries.
    void SetAlphaCounter(bool Value);
    bool Common() const { return FCommon; }
    void SetCommon(bool Value);
    const String& IniFile() const { return FIniFile; }
    // A name without extension gets ".INI".
    void SetIniFile(const String& Value);
    TStyPathPrefix IniPrefix() const { return FIniPrefix; }
    void SetIniPrefix(TStyPathPrefix Value);
    Byte MaxEntries() const { return FMaxEntries; }
    // Above 26 is refused while AlphaCounter is on.
    void SetMaxEntries(Byte Value);
    bool NetUser() const { return FNetUser; }
    // Switching it on takes the login name into User.
    void SetNetUser(bool Value);
    const String& User() const { return FUser; }
    void SetUser(const String& Value);
    const String& RegPath() const { return FRegPath; }
    void SetRegPath(const String& Value);
    TStyRegRootKey RegRoot() const { return FRegRoot; }
    void SetRegRoot(TStyRegRootKey Value);
    TStyIniTarget Target() const { return FTarget; }
    void SetTarget(TStyIniTarget Value);
    // itAuto means the registry.
    TStyIniTarget EffectiveTarget() const { return FTarget == itAuto ? itRegistry : FTarget; }

    virtual String GetNetUser() const;

private:
    bool FAlphaCounter = false;
    bool FCommon = true;
    String FIniFile;
    TStyPathPrefix FIniPrefix = ppWindows;
    Byte FMaxEntries = 16;
    bool FNetUser = false;
    String FUser;
    String FRegPath;
    TStyRegRootKey FRegRoot = rpCurrentUser;
    TStyIniTarget FTarget = itAuto;
};
