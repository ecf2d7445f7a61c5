#pragma once
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "framework/rtl/Exception.h"
#include "framework/rtl/Types.h"

class TStrings;

// Root keys. Each is its own top section of the store, so a key under
// HKEY_CURRENT_USER is not the key of the same path under HKEY_LOCAL_MACHINE.
// All of them live in the one per-user file: nothing here needs privileges.
using HKEY = std::uint32_t;
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
inline constexpr HKEY HKEY_USERS = 0x80000003u;
inline constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;

VELMOR_EXCEPTION(ERegistryException, Exception)

namespace RegistryConsts {
inline constexpr const char* SInvalidRegType = "Invalid data type for '%s'";
inline constexpr const char* SRegSetDataFailed = "Failed to set data for '%s'";
inline constexpr const char* SRegCreateFailed = "Failed to create key %s";
}  // namespace RegistryConsts

// The file that holds the registry: $VELMOR_REGISTRY when set, else
// $XDG_CONFIG_HOME/velmor/registry.ini, else ~/.config/velmor/registry.ini.
String RegistryFileName();

// The settings store the program knows as the registry, kept as an INI text
// file that a person can read and edit: each key is a section named by its
// full path ("[HKEY_LOCAL_MACHINE\Software\Maker\Velmor]"), each value one
// name=value line. Key and value names are matched without regard to ASCII
// case. A missing value is not an empty one: "name=" is a value.
//
// Values are text. A value or name that would not survive a plain INI line
// (line breaks and other control bytes, leading or trailing blanks, a
// leading quote; for names also '=', a leading '[', ';' or '#', or the empty
// default name) is written between double quotes with backslash escapes
// (\\ \" \n \r \t \xHH); everything else is written as it is, so Windows-
// style paths stay readable.
//
// Every change is written to the file at once, safely, so nothing is lost
// if the program dies right after a Write. Every TRegistry on the same file
// shares one store, and the file is read again when another process has
// changed it. Key paths starting with '\' are absolute; others are relative
// to the open key (the root when none is open).
class TRegistry : public TObject {
public:
    TRegistry();
    ~TRegistry() override;
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const { return FRootKey; }
    void SetRootKey(HKEY value);  // closes the open key
    // The open key's path below the root, without a leading '\'.
    const String& CurrentPath() const { return FCurrentPath; }
    const String& FileName() const { return FFileName; }

    // False when the key is missing (and may not be created) or its name is
    // not usable (control bytes, a part with leading or trailing blanks).
    bool OpenKey(const String& key, bool canCreate);
    // Writes through a key opened this way raise ERegistryException.
    bool OpenKeyReadOnly(const String& key);
    bool CreateKey(const String& key);
    void CloseKey();
    bool KeyExists(const String& key);
    bool HasSubKeys();
    // Deletes the key with all its subkeys; false when it did not exist.
    bool DeleteKey(const String& key);

    bool ValueExists(const String& name);
    // A missing value reads as "".
    String ReadString(const String& name);
    // A missing value, or one that is not an integer, raises
    // ERegistryException "Invalid data type for '%s'".
    int ReadInteger(const String& name);
    // ReadInteger() != 0, with the same errors.
    bool ReadBool(const String& name);
    // Writes raise ERegistryException "Failed to set data for '%s'" when the
    // key is read-only or gone, or the file cannot be written; the file and
    // what this process sees stay as they were.
    void WriteString(const String& name, const String& value);
    void WriteInteger(const String& name, int value);
    void WriteBool(const String& name, bool value);  // as 1 or 0
    bool DeleteValue(const String& name);

    void GetValueNames(TStrings* strings);
    void GetKeyNames(TStrings* strings);  // the open key's direct subkeys

    class TStore;

private:
    bool Resolve(const String& key, String& path) const;
    String SectionOf(const String& path) const;
    void WriteRaw(const String& name, const String& value);

    HKEY FRootKey = HKEY_CURRENT_USER;
    String FCurrentPath;
    bool FReadOnly = false;
    String FFileName;
    std::shared_ptr<TStore> FStore;
};

// Writes each value under rootKey\key that is not there yet, leaving every
// existing value alone, in one safe write of the file; creates the key when
// missing. This is how a first run seeds the store with the values the
// program reads, at their defaults, as an installer would. Returns how many
// values were added; raises ERegistryException when the file cannot be
// written.
int SeedRegistryDefaults(HKEY rootKey, const String& key,
                         const std::vector<std::pair<String, String>>& defaults);
