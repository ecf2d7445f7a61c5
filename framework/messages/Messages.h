#pragma once
// Window handles, the message record and the message numbers. Numbers are
// the classic platform's, so code ported from it (and message numbers that
// libraries compute as WM_USER + n) keeps working unchanged.
#include <cstdint>
#include <functional>

#include "framework/rtl/Types.h"

// A window handle is an id in the framework's handle registry, never a
// pointer: a stale handle simply finds nothing. 0 is "no window".
using HWND = std::uintptr_t;
using UINT = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// A window procedure. Controls expose theirs as `WindowProc` so it can be
// replaced (subclassed) and put back.
using TWndMethod = std::function<void(TMessage& Message)>;

// Packing helpers as the classic platform defines them.
inline Word LoWord(std::uintptr_t v) { return static_cast<Word>(v & 0xFFFF); }
inline Word HiWord(std::uintptr_t v) { return static_cast<Word>((v >> 16) & 0xFFFF); }
inline LPARAM MakeLParam(int lo, int hi) {
    return static_cast<LPARAM>(static_cast<std::uint32_t>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)));
}
// Signed coordinates out of a mouse message's LParam.
inline int GetXLParam(LPARAM l) { return static_cast<std::int16_t>(l & 0xFFFF); }
inline int GetYLParam(LPARAM l) { return static_cast<std::int16_t>((l >> 16) & 0xFFFF); }
inline TPoint PointFromLParam(LPARAM l) { return TPoint{GetXLParam(l), GetYLParam(l)}; }

// Window messages.
inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_MOVE = 0x0003;
inline constexpr UINT WM_SIZE = 0x0005;
inline constexpr UINT WM_ACTIVATE = 0x0006;
inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_KILLFOCUS = 0x0008;
inline constexpr UINT WM_ENABLE = 0x000A;
inline constexpr UINT WM_SETTEXT = 0x000C;
inline constexpr UINT WM_GETTEXT = 0x000D;
inline constexpr UINT WM_GETTEXTLENGTH = 0x000E;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUIT = 0x0012;
// WParam is the TCanvas* to paint the background on; Result 1 = painted.
inline constexpr UINT WM_ERASEBKGND = 0x0014;
inline constexpr UINT WM_SHOWWINDOW = 0x0018;
inline constexpr UINT WM_ACTIVATEAPP = 0x001C;
inline constexpr UINT WM_CANCELMODE = 0x001F;
inline constexpr UINT WM_SETCURSOR = 0x0020;
inline constexpr UINT WM_GETMINMAXINFO = 0x0024;
inline constexpr UINT WM_CONTEXTMENU = 0x007B;
inline constexpr UINT WM_NCHITTEST = 0x0084;
inline constexpr UINT WM_NCPAINT = 0x0085;
inline constexpr UINT WM_NCACTIVATE = 0x0086;
inline constexpr UINT WM_NCMOUSEMOVE = 0x00A0;
inline constexpr UINT WM_NCLBUTTONDOWN = 0x00A1;
inline constexpr UINT WM_NCLBUTTONUP = 0x00A2;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;
inline constexpr UINT WM_SYSKEYUP = 0x0105;
inline constexpr UINT WM_SYSCHAR = 0x0106;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_HSCROLL = 0x0114;
inline constexpr UINT WM_VSCROLL = 0x0115;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_RBUTTONUP = 0x0205;
inline constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
inline constexpr UINT WM_MBUTTONDOWN = 0x0207;
inline constexpr UINT WM_MBUTTONUP = 0x0208;
inline constexpr UINT WM_MBUTTONDBLCLK = 0x0209;
inline constexpr UINT WM_MOUSEWHEEL = 0x020A;
inline constexpr UINT WM_MOUSEHWHEEL = 0x020E;
inline constexpr UINT WM_CAPTURECHANGED = 0x0215;
inline constexpr UINT WM_CUT = 0x0300;
inline constexpr UINT WM_COPY = 0x0301;
inline constexpr UINT WM_PASTE = 0x0302;
inline constexpr UINT WM_CLEAR = 0x0303;
inline constexpr UINT WM_UNDO = 0x0304;
inline constexpr UINT WM_USER = 0x0400;
inline constexpr UINT WM_APP = 0x8000;

// The framework's own control messages.
inline constexpr UINT CM_BASE = 0xB000;
inline constexpr UINT CM_ACTIVATE = CM_BASE + 0;
inline constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
inline constexpr UINT CM_GOTFOCUS = CM_BASE + 2;
inline constexpr UINT CM_LOSTFOCUS = CM_BASE + 3;
inline constexpr UINT CM_CANCELMODE = CM_BASE + 4;
inline constexpr UINT CM_DIALOGKEY = CM_BASE + 5;
inline constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;
inline constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;
inline constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
inline constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
inline constexpr UINT CM_HITTEST = CM_BASE + 10;
inline constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
inline constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
inline constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
inline constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
inline constexpr UINT CM_CURSORCHANGED = CM_BASE + 15;
inline constexpr UINT CM_CTL3DCHANGED = CM_BASE + 16;
inline constexpr UINT CM_PARENTCTL3DCHANGED = CM_BASE + 17;
inline constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
inline constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
inline constexpr UINT CM_MENUCHANGED = CM_BASE + 21;
inline constexpr UINT CM_APPKEYDOWN = CM_BASE + 22;
inline constexpr UINT CM_APPSYSCOMMAND = CM_BASE + 23;
inline constexpr UINT CM_BUTTONPRESSED = CM_BASE + 24;
inline constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 25;
inline constexpr UINT CM_ENTER = CM_BASE + 26;
inline constexpr UINT CM_EXIT = CM_BASE + 27;
inline constexpr UINT CM_DESIGNHITTEST = CM_BASE + 28;
inline constexpr UINT CM_ICONCHANGED = CM_BASE + 29;
inline constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 30;
inline constexpr UINT CM_INVOKEHELP = CM_BASE + 31;
inline constexpr UINT CM_WINDOWHOOK = CM_BASE + 32;
inline constexpr UINT CM_RELEASE = CM_BASE + 33;
inline constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 34;
inline constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
inline constexpr UINT CM_SYSCOLORCHANGE = CM_BASE + 36;
inline constexpr UINT CM_WININICHANGE = CM_BASE + 37;
inline constexpr UINT CM_FONTCHANGE = CM_BASE + 38;
inline constexpr UINT CM_TIMECHANGE = CM_BASE + 39;
inline constexpr UINT CM_TABSTOPCHANGED = CM_BASE + 40;
inline constexpr UINT CM_UIACTIVATE = CM_BASE + 41;
inline constexpr UINT CM_UIDEACTIVATE = CM_BASE + 42;
inline constexpr UINT CM_DOCWINDOWACTIVATE = CM_BASE + 43;
inline constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 44;
inline constexpr UINT CM_GETDATALINK = CM_BASE + 45;
inline constexpr UINT CM_CHILDKEY = CM_BASE + 46;
inline constexpr UINT CM_DRAG = CM_BASE + 47;
inline constexpr UINT CM_HINTSHOW = CM_BASE + 48;
inline constexpr UINT CM_DIALOGHANDLE = CM_BASE + 49;
inline constexpr UINT CM_ISTOOLCONTROL = CM_BASE + 50;
inline constexpr UINT CM_RECREATEWND = CM_BASE + 51;
inline constexpr UINT CM_INVALIDATE = CM_BASE + 52;
inline constexpr UINT CM_BIDIMODECHANGED = CM_BASE + 60;
inline constexpr UINT CM_PARENTBIDIMODECHANGED = CM_BASE + 61;
inline constexpr UINT CM_ACTIONUPDATE = CM_BASE + 63;
inline constexpr UINT CM_ACTIONEXECUTE = CM_BASE + 64;

// WM_SIZE WParam.
inline constexpr WPARAM SIZE_RESTORED = 0;
inline constexpr WPARAM SIZE_MINIMIZED = 1;
inline constexpr WPARAM SIZE_MAXIMIZED = 2;

// WM_NCHITTEST results.
inline constexpr LRESULT HTERROR = -2;
inline constexpr LRESULT HTTRANSPARENT = -1;
inline constexpr LRESULT HTNOWHERE = 0;
inline constexpr LRESULT HTCLIENT = 1;
inline constexpr LRESULT HTCAPTION = 2;
inline constexpr LRESULT HTSYSMENU = 3;
inline constexpr LRESULT HTMINBUTTON = 8;
inline constexpr LRESULT HTMAXBUTTON = 9;
inline constexpr LRESULT HTLEFT = 10;
inline constexpr LRESULT HTRIGHT = 11;
inline constexpr LRESULT HTTOP = 12;
inline constexpr LRESULT HTTOPLEFT = 13;
inline constexpr LRESULT HTTOPRIGHT = 14;
inline constexpr LRESULT HTBOTTOM = 15;
inline constexpr LRESULT HTBOTTOMLEFT = 16;
inline constexpr LRESULT HTBOTTOMRIGHT = 17;
inline constexpr LRESULT HTBORDER = 18;
inline constexpr LRESULT HTCLOSE = 20;
inline constexpr LRESULT HTHELP = 21;

// WM_SYSCOMMAND WParam.
inline constexpr WPARAM SC_SIZE = 0xF000;
inline constexpr WPARAM SC_MOVE = 0xF010;
inline constexpr WPARAM SC_MINIMIZE = 0xF020;
inline constexpr WPARAM SC_MAXIMIZE = 0xF030;
inline constexpr WPARAM SC_CLOSE = 0xF060;
inline constexpr WPARAM SC_RESTORE = 0xF120;
inline constexpr WPARAM SC_CONTEXTHELP = 0xF180;

// Mouse message key state (WParam).
inline constexpr WPARAM MK_LBUTTON = 0x0001;
inline constexpr WPARAM MK_RBUTTON = 0x0002;
inline constexpr WPARAM MK_SHIFT = 0x0004;
inline constexpr WPARAM MK_CONTROL = 0x0008;
inline constexpr WPARAM MK_MBUTTON = 0x0010;
// WM_KEYDOWN LParam: bit 29 is set while Alt is down, bit 30 on auto-repeat.
inline constexpr LPARAM KF_ALTDOWN_BIT = LPARAM(1) << 29;
inline constexpr LPARAM KF_REPEAT_BIT = LPARAM(1) << 30;

// Virtual key codes.
inline constexpr Word VK_LBUTTON = 0x01;
inline constexpr Word VK_RBUTTON = 0x02;
inline constexpr Word VK_CANCEL = 0x03;
inline constexpr Word VK_MBUTTON = 0x04;
inline constexpr Word VK_BACK = 0x08;
inline constexpr Word VK_TAB = 0x09;
inline constexpr Word VK_CLEAR = 0x0C;
inline constexpr Word VK_RETURN = 0x0D;
inline constexpr Word VK_SHIFT = 0x10;
inline constexpr Word VK_CONTROL = 0x11;
inline constexpr Word VK_MENU = 0x12;
inline constexpr Word VK_PAUSE = 0x13;
inline constexpr Word VK_CAPITAL = 0x14;
inline constexpr Word VK_ESCAPE = 0x1B;
inline constexpr Word VK_SPACE = 0x20;
inline constexpr Word VK_PRIOR = 0x21;
inline constexpr Word VK_NEXT = 0x22;
inline constexpr Word VK_END = 0x23;
inline constexpr Word VK_HOME = 0x24;
inline constexpr Word VK_LEFT = 0x25;
inline constexpr Word VK_UP = 0x26;
inline constexpr Word VK_RIGHT = 0x27;
inline constexpr Word VK_DOWN = 0x28;
inline constexpr Word VK_SNAPSHOT = 0x2C;
inline constexpr Word VK_INSERT = 0x2D;
inline constexpr Word VK_DELETE = 0x2E;
inline constexpr Word VK_HELP = 0x2F;
// '0'..'9' and 'A'..'Z' are their ASCII codes.
inline constexpr Word VK_LWIN = 0x5B;
inline constexpr Word VK_RWIN = 0x5C;
inline constexpr Word VK_APPS = 0x5D;
inline constexpr Word VK_NUMPAD0 = 0x60;
inline constexpr Word VK_MULTIPLY = 0x6A;
inline constexpr Word VK_ADD = 0x6B;
inline constexpr Word VK_SEPARATOR = 0x6C;
inline constexpr Word VK_SUBTRACT = 0x6D;
inline constexpr Word VK_DECIMAL = 0x6E;
inline constexpr Word VK_DIVIDE = 0x6F;
inline constexpr Word VK_F1 = 0x70;
inline constexpr Word VK_F2 = 0x71;
inline constexpr Word VK_F3 = 0x72;
inline constexpr Word VK_F4 = 0x73;
inline constexpr Word VK_F5 = 0x74;
inline constexpr Word VK_F6 = 0x75;
inline constexpr Word VK_F7 = 0x76;
inline constexpr Word VK_F8 = 0x77;
inline constexpr Word VK_F9 = 0x78;
inline constexpr Word VK_F10 = 0x79;
inline constexpr Word VK_F11 = 0x7A;
inline constexpr Word VK_F12 = 0x7B;
inline constexpr Word VK_NUMLOCK = 0x90;
inline constexpr Word VK_SCROLL = 0x91;
