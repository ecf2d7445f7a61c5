#include "framework/inet/InetErrors.h"

namespace {
thread_local DWORD LastError = 0;
thread_local String LastResponse;
}  // namespace

DWORD InetGetLastError() { return LastError; }
void InetSetLastError(DWORD code) { LastError = code; }
String InetGetLastResponseInfo() { return LastResponse; }
void InetSetLastResponseInfo(const String& text) { LastResponse = text; }
