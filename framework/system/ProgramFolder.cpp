#include "framework/system/ProgramFolder.h"

#include <unistd.h>

#include <climits>

#include "framework/rtl/FileUtils.h"

namespace {
String& Override() {
    static String folder;
    return folder;
}
}  // namespace

String ProgramFile() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return String();
    return String(buf, static_cast<size_t>(n));
}

String ProgramFolder() {
    if (!Override().empty()) return IncludeTrailingPathDelimiter(Override());
    return ExtractFilePath(ProgramFile());
}

void SetProgramFolderOverride(const String& folder) { Override() = folder; }
