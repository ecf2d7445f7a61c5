#include "framework/inet/FtpFind.h"

#include "framework/inet/InetErrors.h"

bool TFtpFind::FindNext(TFtpFindData& data) {
    if (!CheckOpen()) return false;
    if (FNext >= FEntries.size()) {
        InetSetLastError(ERROR_NO_MORE_FILES);
        return false;
    }
    data = FEntries[FNext++];
    return true;
}
