#pragma once
// Result codes of the transfer kit and the texts that go with them. The
// internet cores return plain codes; the text a user finally reads is
// chosen here, so every core and component words the same failure alike.
#include <cstdint>

#include "framework/rtl/Types.h"

// The kit's own results (the internet library's numbers are in the table).
enum TCoreResult : int {
    crOK = 0,
    crNoSuchProperty = -1,
    crWaitFailed = 120,
    crBusy = 143,
    crFileIO = 144,
    crBodyTooLarge = 145,
    crStatusNotOK = 151,
    crNoServer = 152,
    crBadScheme = 153,
    crTooManyVars = 154,
    crVarIndex = 155,
    crOutOfMemory = 200,
    crCheckVarIndex = 280,
    crInterrupted = 301,
    crFileOpen = 302,
};

// The internet library's extended error: its text comes from the server.
inline constexpr int InternetExtendedError = 12003;

namespace CoreTexts {
inline constexpr const char* SWaitFailed = "Error waiting for worker thread.";
inline constexpr const char* SBusy = "Busy performing current action";
inline constexpr const char* SOutOfMemory = "Out of memory.";
inline constexpr const char* SInterrupted = "Interrupted.";
inline constexpr const char* STimeout = "Timeout";
inline constexpr const char* SNoDescription = "(no description available)";
}  // namespace CoreTexts

struct TErrorTableRow {
    std::uint16_t Code;
    const char* Text;
};

// The internet library's error codes with their texts, ended by a row whose
// code is 0.
extern const TErrorTableRow ErrorTable[];

// "[code] text" for a code of the table (result 0), otherwise
// "[code] (no description available)" (result 1). The code is read as an
// unsigned 16-bit number, as the internet library hands it over, so -1
// prints as 65535.
int FormatErrorText(int code, String& out);

// The plain-language text of an internet status notification. Returns false
// for the statuses that are reported to nobody. `info` is the
// notification's information (a zero-terminated text for the statuses that
// append it, a 32-bit state word for status 200), or null.
bool StatusText(DWORD status, const void* info, String& out);
