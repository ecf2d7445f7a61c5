#pragma once
// File and path helpers. Paths are POSIX; PathJoin turns the '\' of stored
// relative paths into '/'. Files beside the program are found whatever the
// letter case of the name.
#include <vector>

#include "framework/rtl/Types.h"

inline constexpr char PathDelim = '/';

bool FileExists(const String& path);       // a regular file (or link to one)
bool DirectoryExists(const String& path);
bool DeleteFile(const String& path);
bool RenameFile(const String& oldName, const String& newName);
bool CreateDir(const String& dir);
bool ForceDirectories(const String& dir);
bool RemoveDir(const String& dir);
String GetCurrentDir();
bool SetCurrentDir(const String& dir);
Int64 FileSize(const String& path);        // -1 when missing

String ExtractFilePath(const String& path);   // with the trailing '/'
String ExtractFileDir(const String& path);    // without it
String ExtractFileName(const String& path);
String ExtractFileExt(const String& path);    // with the dot
String ChangeFileExt(const String& path, const String& ext);
String IncludeTrailingPathDelimiter(const String& path);
String ExcludeTrailingPathDelimiter(const String& path);
String ExpandFileName(const String& path);

// Joins parts with '/', turning every '\' into '/' and collapsing doubled
// separators at the joins.
String PathJoin(const String& a, const String& b);
String PathJoin(std::initializer_list<String> parts);
// Turns every '\' of a stored path into '/'.
String NormalizePath(const String& path);

// The existing file or folder whose path matches `path` without regard to
// the letter case of each component; the exact path wins when it exists.
// Empty when nothing matches.
String FindPathNoCase(const String& path);

// Names (not paths) of the regular files of `dir` whose extension is `ext`
// (with or without the dot, any letter case; "*" or "" for all), sorted by
// name. Does not touch the working directory.
std::vector<String> ListFilesByExt(const String& dir, const String& ext);

// Whole-file reading and safe writing. ReadFileToString raises EFOpenError
// ("Cannot open file \"<full path>\". <reason>").
String ReadFileToString(const String& path);
// The same, a large file read on several processors at once (RunPieces):
// for a load that then works on the bytes in pieces too.
String ReadFileToStringInPieces(const String& path);
// Writes `data` to a temporary file in the same folder, flushes it, then
// renames it over `path`, keeping the old file's mode. A file the user may
// not write is refused first (CheckWritableTarget). On any failure the
// temporary file is removed, the old file is left whole, and EFCreateError
// ("Cannot create file \"<full path>\". <reason>") or EWriteError ("Cannot
// write file \"<full path>\". <reason>") is raised. A link is followed: the
// file it points to is replaced and the link stays.
void SafeWriteFile(const String& path, const String& data);

// Every writer of the program's own files asks this before it replaces
// one: renaming over a file ignores the file's permissions, so another
// user's read-only file in a folder the user may write would otherwise be
// replaced (and become the user's). An existing file (a link's target)
// that the user may not write raises EFCreateError ("Cannot create file
// \"<full path>\". Permission denied"), as opening it for writing would
// fail; a missing one passes. Root may write anything, as the system says.
void CheckWritableTarget(const String& path);

// Test seam: called at each stage of SafeWriteFile ("create", "write",
// "sync", "rename"); throwing from it simulates a failure there.
using TSafeWriteHook = std::function<void(const char* stage)>;
void SetSafeWriteHook(TSafeWriteHook hook);
