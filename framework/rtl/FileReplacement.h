#pragma once
// Reading a file from its start without taking in more than asked, and
// replacing a file by new content that may be streamed from a stretch of
// another file. A replacement is written aside and put in place whole: a
// process killed at any moment leaves the old file or the new one, never a
// mix. The content is written to an unnamed file where the file system
// offers one; elsewhere, and for the instant it takes to put an unnamed
// file in place, under a temporary name that the next replacement in the
// same folder removes once its writer is gone.
#include <functional>
#include <memory>

#include "framework/rtl/Exception.h"
#include "framework/rtl/Types.h"

// File failures that keep the system's own reason ("Permission denied",
// "No space left on device", "Not a regular file") apart from the message.
class EFileOpenFailure : public EFOpenError {
public:
    EFileOpenFailure(const String& path, const String& reason);
    String Reason;
};

class EFileCreateFailure : public EFCreateError {
public:
    EFileCreateFailure(const String& path, const String& reason);
    String Reason;
};

class EFileWriteFailure : public EWriteError {
public:
    EFileWriteFailure(const String& path, const String& reason);
    String Reason;
};

inline constexpr const char* SNotARegularFile = "Not a regular file";

// A regular file open for reading. Anything else (a folder, a pipe, a
// device) is refused before a byte is read, so reading never blocks.
class TFileSource {
public:
    explicit TFileSource(const String& path);  // EFileOpenFailure
    ~TFileSource();
    TFileSource(const TFileSource&) = delete;
    TFileSource& operator=(const TFileSource&) = delete;

    const String& Path() const { return FPath; }
    Int64 Size() const;
    // The size when the file was opened, without asking the system again.
    Int64 SizeAtOpen() const { return FSizeAtOpen; }
    // Appends up to `count` more bytes to `into`; 0 at the end of the file.
    // A read that reaches the size the file had when opened ends there,
    // without another call to learn that nothing follows.
    size_t Read(String& into, size_t count);  // EReadError
    // Whether `path` still names this very file, with the size and the
    // modification time it had when opened: nobody wrote to it meanwhile.
    bool UnchangedAt(const String& path) const;
    int Handle() const { return FHandle; }

private:
    String FPath;
    int FHandle = -1;
    Int64 FSizeAtOpen = 0;
    Int64 FRead = 0;  // bytes Read has taken in
    unsigned long long FDevice = 0, FInode = 0;  // what an open file stays
    long long FModifiedSeconds = 0, FModifiedNanoseconds = 0;
};

// The replacement of one file. Nothing changes on disk until Commit; an
// uncommitted replacement leaves nothing behind when it is destroyed.
class TFileReplacement {
public:
    // Follows a link to the file it names. The new file gets the old one's
    // mode (and owner, when run as root). EFileCreateFailure. With
    // `keepReadOnly`, a file without any write permission is refused
    // before anything is made (EFileWriteFailure, "Permission denied"):
    // renaming over a file ignores its permissions. Without `durable` the
    // content is not flushed to the disk before it takes the old file's
    // place (a copy fetched again at will): a killed process still leaves
    // the old file or the new one, a power cut may leave either or neither.
    explicit TFileReplacement(const String& path, bool keepReadOnly = false, bool durable = true);
    ~TFileReplacement();
    TFileReplacement(const TFileReplacement&) = delete;
    TFileReplacement& operator=(const TFileReplacement&) = delete;

    // The file that is replaced (the link's target for a link).
    const String& Target() const { return FTarget; }
    void Write(const String& data);  // EFileWriteFailure
    void Write(const char* data, size_t size);
    // Appends `source` from `offset` to its end, copied inside the system
    // where it can and with its holes kept, so memory stays flat whatever
    // the size. EFileWriteFailure.
    void CopyFrom(TFileSource& source, Int64 offset);
    // Flushes the new content to disk and puts it in place of the old file.
    // `lastCheck`, when given, runs just before the new file takes the old
    // one's place, once the new file is whole, flushed and named, so that
    // only the rename follows it; an exception from it leaves the old file
    // as it is and the new one discarded. EFileWriteFailure.
    void Commit(const std::function<void()>& lastCheck = nullptr);

private:
    [[noreturn]] void Fail(const String& reason);
    void Discard();
    String FShown;   // the path as the caller named it, for messages
    String FTarget;
    String FFolder;
    String FTemporary;  // the temporary name while there is one
    int FHandle = -1;
    bool FUnnamed = false;
    bool FDurable = true;
    unsigned FMode = 0;
    bool FHadOld = false;
    unsigned FOwner = 0, FGroup = 0;
};

// The folder where a replacement of `path` makes its temporary file: the
// folder of the file it replaces, which for a link is its target's.
String ReplacementFolder(const String& path);
// Whether a file name is one of the replacements' temporary names.
bool IsReplacementTemporary(const String& fileName);
// Removes from `folder` the temporary files that killed or failed
// replacements left: those of a process of this machine that is gone, and
// any older than a minute.
void RemoveStaleReplacements(const String& folder);
// Test seam: false makes replacements use named temporary files only, as
// on a file system without unnamed ones.
void SetUnnamedReplacements(bool allowed);
