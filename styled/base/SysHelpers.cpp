#include "styled/base/SysHelpers.h"

#include "framework/rtl/FileUtils.h"
#include "framework/system/ProgramFolder.h"
#include "framework/system/SystemMetrics.h"
#include "framework/system/UserInfo.h"

Byte GetColorDepth() {
    const int depth = ScreenColorDepth();
    return static_cast<Byte>(depth > 255 ? 255 : (depth < 0 ? 0 : depth));
}

int GetWinMinorVersion() { return 0; }

String GetNetUserName() {
    String name = UserName();
    if (name.empty()) return "(Unknown)";
    if (name.size() > 63) name.resize(63);
    return name;
}

int GetCaptionButtonWidth() { return GetSystemMetrics(SM_CXSIZE); }
int GetCaptionHeight() { return GetSystemMetrics(SM_CYCAPTION); }
int GetDlgFrameWidth() { return GetSystemMetrics(SM_CXDLGFRAME); }
int GetDlgFrameHeight() { return GetSystemMetrics(SM_CYDLGFRAME); }
int GetBorderWidth() { return GetSystemMetrics(SM_CXBORDER); }
int GetBorderHeight() { return GetSystemMetrics(SM_CYBORDER); }
int GetFrameWidth() { return GetSystemMetrics(SM_CXFRAME); }
int GetFrameHeight() { return GetSystemMetrics(SM_CYFRAME); }

int GetSmallCaptionHeight() {
    return GetSystemMetrics(NewStyleControls ? SM_CYSMCAPTION : SM_CYCAPTION);
}

int GetSmallCaptionButtonWidth() {
    return GetSystemMetrics(NewStyleControls ? SM_CXSMSIZE : SM_CXSIZE);
}

int GetIconWidth() { return GetSystemMetrics(NewStyleControls ? SM_CXSMICON : SM_CXSIZE); }

bool IsBlank(const String& S) { return S.find_first_not_of(' ') == String::npos; }

String AddBackslash(const String& S) {
    if (!IsBlank(S) && S.back() == PathDelim) return S;
    return S + PathDelim;
}

String RemoveBackslash(const String& S) {
    if (!IsBlank(S) && S.back() == PathDelim) return S.substr(0, S.size() - 1);
    return S;
}

String GetProgramFolder() { return IncludeTrailingPathDelimiter(ProgramFolder()); }

String GetWindowsFolder() { return ExcludeTrailingPathDelimiter(UserConfigFolder()); }

String GetSystemFolder() { return ExcludeTrailingPathDelimiter(SystemConfigFolder()); }

String GetPrefixPath(TStyPathPrefix Prefix, bool WithBackslash) {
    String folder;
    switch (Prefix) {
    case ppWindows: folder = GetWindowsFolder(); break;
    case ppSystem: folder = GetSystemFolder(); break;
    case ppProgram: folder = GetProgramFolder(); break;
    case ppFixed: return String();
    }
    return WithBackslash ? AddBackslash(folder) : RemoveBackslash(folder);
}
