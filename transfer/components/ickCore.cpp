#include "transfer/components/ickCore.h"

#include "transfer/components/RezaDudoDera.h"

TickCore::TickCore(TComponent* owner) : TComponent(owner) {}

std::exception_ptr TickCore::MakeError(int code, const String& text) {
    return std::make_exception_ptr(RezaDudoDera(code, text));
}

void TickCore::RaiseCoreError(int code, const String& text) {
    String message = text;
    if (message.empty()) {
        const char* own = CoreErrorText();
        message = own ? own : "";
    }
    std::rethrow_exception(MakeError(code, message));
}
