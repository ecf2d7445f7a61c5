#include "transfer/components/ickHTTPS.h"

#include "transfer/components/EickHTTPS.h"
#include "transfer/core/HttpEngine.h"

namespace {
constexpr const char* SCreateError = "ICK ickHTTPS: Error creating component";

char ModuleTag;
const int UnitStartup = HTTPCore::CoreSetInstance(&ModuleTag);

std::exception_ptr MakeHttpsError(int code, const String& text) {
    return std::make_exception_ptr(EickHTTPS(code, text));
}
}  // namespace

TickHTTPS::TickHTTPS(TComponent* owner) : TickHttpClient(owner, true, SCreateError, &MakeHttpsError) {}
