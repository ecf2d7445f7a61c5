#pragma once
// The edit-control messages that edits, memos and rich edits answer.
// Positions count the characters (bytes of the UTF-8 text) of Text, where
// a line break counts two (CR LF); lines count from 0.
#include <cstdint>

#include "framework/messages/Messages.h"

inline constexpr UINT EM_GETSEL = 0x00B0;
inline constexpr UINT EM_SETSEL = 0x00B1;
inline constexpr UINT EM_GETRECT = 0x00B2;
inline constexpr UINT EM_SCROLL = 0x00B5;
inline constexpr UINT EM_LINESCROLL = 0x00B6;
inline constexpr UINT EM_SCROLLCARET = 0x00B7;
inline constexpr UINT EM_GETMODIFY = 0x00B8;
inline constexpr UINT EM_SETMODIFY = 0x00B9;
inline constexpr UINT EM_GETLINECOUNT = 0x00BA;
inline constexpr UINT EM_LINEINDEX = 0x00BB;
inline constexpr UINT EM_LINELENGTH = 0x00C1;
inline constexpr UINT EM_REPLACESEL = 0x00C2;
inline constexpr UINT EM_GETLINE = 0x00C4;
inline constexpr UINT EM_LIMITTEXT = 0x00C5;
inline constexpr UINT EM_SETLIMITTEXT = EM_LIMITTEXT;
inline constexpr UINT EM_CANUNDO = 0x00C6;
inline constexpr UINT EM_UNDO = 0x00C7;
inline constexpr UINT EM_LINEFROMCHAR = 0x00C9;
inline constexpr UINT EM_SETPASSWORDCHAR = 0x00CC;
inline constexpr UINT EM_EMPTYUNDOBUFFER = 0x00CD;
inline constexpr UINT EM_GETFIRSTVISIBLELINE = 0x00CE;
inline constexpr UINT EM_SETREADONLY = 0x00CF;
inline constexpr UINT EM_GETPASSWORDCHAR = 0x00D2;
inline constexpr UINT EM_GETLIMITTEXT = 0x00D5;
inline constexpr UINT EM_POSFROMCHAR = 0x00D6;
inline constexpr UINT EM_CHARFROMPOS = 0x00D7;
// The rich edit's own.
inline constexpr UINT EM_EXGETSEL = WM_USER + 52;
inline constexpr UINT EM_EXLIMITTEXT = WM_USER + 53;
inline constexpr UINT EM_EXLINEFROMCHAR = WM_USER + 54;
inline constexpr UINT EM_EXSETSEL = WM_USER + 55;
inline constexpr UINT EM_FINDTEXT = WM_USER + 56;
inline constexpr UINT EM_HIDESELECTION = WM_USER + 63;
inline constexpr UINT EM_GETTEXTRANGE = WM_USER + 75;

// EM_SCROLL
inline constexpr WPARAM SB_LINEUP = 0;
inline constexpr WPARAM SB_LINEDOWN = 1;
inline constexpr WPARAM SB_PAGEUP = 2;
inline constexpr WPARAM SB_PAGEDOWN = 3;

// EM_FINDTEXT flags.
inline constexpr WPARAM FR_DOWN = 0x1;
inline constexpr WPARAM FR_WHOLEWORD = 0x2;
inline constexpr WPARAM FR_MATCHCASE = 0x4;

struct CHARRANGE {
    std::int32_t cpMin = 0;
    std::int32_t cpMax = 0;
};

struct FINDTEXTA {
    CHARRANGE chrg;
    const char* lpstrText = nullptr;
};

struct TEXTRANGEA {
    CHARRANGE chrg;
    char* lpstrText = nullptr;  // room for the range and a terminating zero
};

struct POINTL {
    std::int32_t x = 0;
    std::int32_t y = 0;
};
