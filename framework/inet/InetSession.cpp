#include "framework/inet/InetSession.h"

#include <curl/curl.h>

#include <cctype>

namespace {
std::vector<String> Tokens(const String& list, const char* separators) {
    std::vector<String> out;
    std::size_t pos = 0;
    while (pos < list.size()) {
        const std::size_t end = list.find_first_of(separators, pos);
        const String token = list.substr(pos, end == String::npos ? String::npos : end - pos);
        if (!token.empty()) out.push_back(token);
        if (end == String::npos) break;
        pos = end + 1;
    }
    return out;
}
}  // namespace

std::shared_ptr<TInetSession> TInetSession::Open(const String& agent, DWORD accessType,
                                                 const String& proxy, const String& bypass) {
    std::shared_ptr<TInetSession> session(new TInetSession);
    session->FAgent = agent;
    session->FAccess = accessType;
    if (accessType == INTERNET_OPEN_TYPE_PROXY) {
        session->FProxy = proxy;
        session->FBypass = bypass;
    }
    return session;
}

String TInetSession::ProxyFor(const String& scheme) const {
    String generic;
    for (const String& token : Tokens(FProxy, " ;")) {
        const std::size_t eq = token.find('=');
        if (eq == String::npos) {
            if (generic.empty()) generic = token;
            continue;
        }
        String name = token.substr(0, eq);
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (name == scheme) return token.substr(eq + 1);
    }
    return generic;
}

String TInetSession::NoProxyList() const {
    String out;
    for (const String& token : Tokens(FBypass, " ;,")) {
        // "<local>" means the names without a dot; the transport knows no
        // such rule, so the usual local names stand in for it.
        const String entry = token == "<local>" ? String("localhost,127.0.0.1,::1") : token;
        if (!out.empty()) out += ',';
        out += entry;
    }
    return out;
}

String InetLibraryVersion() {
    const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
    if (!info) return String();
    const unsigned v = info->version_num;
    return std::to_string((v >> 16) & 0xFF) + "." + std::to_string((v >> 8) & 0xFF) + "." +
           std::to_string(v & 0xFF) + ".0";
}
