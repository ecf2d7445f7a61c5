#pragma once
// The base of the kit's components. Each is a thin shell over a core that
// owns all state and does all the work; the shell turns the core's result
// codes into exceptions of the component's own class.
#include <exception>

#include "framework/classes/Component.h"

class TickCore : public TComponent {
public:
    explicit TickCore(TComponent* owner);
    String ClassName() const override { return "TickCore"; }

    // The exception a core failure becomes; each component answers with its
    // own class.
    virtual std::exception_ptr MakeError(int code, const String& text);

protected:
    // Raises MakeError(code, text); an empty text takes the core's own.
    [[noreturn]] void RaiseCoreError(int code, const String& text = String());
    // The core's current error text, null when it has none.
    virtual const char* CoreErrorText() const { return nullptr; }
    // The read-only WinInetVersion property of the internet components
    // accepts writes from stored windows and ignores them.
    static int SetWinInetVersion(const String&) { return 0; }
};
