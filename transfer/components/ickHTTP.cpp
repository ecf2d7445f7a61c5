#include "transfer/components/ickHTTP.h"

#include "transfer/components/EickHTTP.h"
#include "transfer/core/HttpEngine.h"

namespace {
constexpr const char* SCreateError = "ICK ickHTTP: Error creating component";

// The unit's start-up hands the core its module before any component is
// made; the unit's own address stands in for a module handle.
char ModuleTag;
const int UnitStartup = HTTPCore::CoreSetInstance(&ModuleTag);

std::exception_ptr MakeHttpError(int code, const String& text) {
    return std::make_exception_ptr(EickHTTP(code, text));
}
}  // namespace

TickHTTP::TickHTTP(TComponent* owner) : TickHttpClient(owner, false, SCreateError, &MakeHttpError) {}
