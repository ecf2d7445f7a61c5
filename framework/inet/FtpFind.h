#pragma once
// The entries of an FTP listing, handed out one at a time.
#include <vector>

#include "framework/inet/InetHandle.h"

struct TFtpFindData {
    String Name;
    bool Directory = false;
    std::uint64_t Size = 0;
    int Year = 1601, Month = 1, Day = 1, Hour = 0, Minute = 0, Second = 0;
};

class TFtpFind : public TInetHandle {
public:
    // False with ERROR_NO_MORE_FILES after the last entry.
    bool FindNext(TFtpFindData& data);

private:
    friend class TFtpConnection;
    TFtpFind() = default;
    std::vector<TFtpFindData> FEntries;
    std::size_t FNext = 0;
};
