#pragma once
// The root of the transfer kit's exceptions: a core's failure with its
// result code, worded "code: text".
#include "framework/rtl/Exception.h"

class RezaDudoDera : public Exception {
public:
    RezaDudoDera(int code, const String& text);
    // The classic constructor's name, for code that prefers to say so.
    static RezaDudoDera CreateWithCode(int code, const String& text) {
        return RezaDudoDera(code, text);
    }

    int Code = 0;
};
