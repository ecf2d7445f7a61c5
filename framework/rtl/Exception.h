#pragma once
// The exception hierarchy of the runtime. Every error the program raises is
// an Exception carrying a message; the message box shows that message.
#include <exception>

#include "framework/rtl/Format.h"
#include "framework/rtl/Types.h"

class Exception : public std::exception {
public:
    explicit Exception(const String& msg) : Message(msg) {}
    explicit Exception(const char* msg) : Message(msg ? msg : "") {}
    // Exception("Cannot open %s", {name}) formats like Format().
    Exception(const String& fmt, std::initializer_list<TVarRec> args)
        : Message(FormatV(fmt, args)) {}
    ~Exception() override = default;
    const char* what() const noexcept override { return Message.c_str(); }

    String Message;
    int HelpContext = 0;
};

#define VELMOR_EXCEPTION(Name, Base)      \
    class Name : public Base {            \
    public:                               \
        using Base::Base;                 \
    };

VELMOR_EXCEPTION(EAbort, Exception)
VELMOR_EXCEPTION(EConvertError, Exception)
VELMOR_EXCEPTION(EListError, Exception)
VELMOR_EXCEPTION(EStringListError, EListError)
VELMOR_EXCEPTION(EInvalidOperation, Exception)
VELMOR_EXCEPTION(EInvalidPointer, Exception)
VELMOR_EXCEPTION(EOutOfMemory, Exception)
VELMOR_EXCEPTION(ERangeError, Exception)
VELMOR_EXCEPTION(EComponentError, Exception)
VELMOR_EXCEPTION(EStreamError, Exception)
VELMOR_EXCEPTION(EFileStreamError, EStreamError)
VELMOR_EXCEPTION(EFOpenError, EFileStreamError)
VELMOR_EXCEPTION(EFCreateError, EFileStreamError)
VELMOR_EXCEPTION(EFilerError, EStreamError)
VELMOR_EXCEPTION(EReadError, EFilerError)
VELMOR_EXCEPTION(EWriteError, EFilerError)

class EInOutError : public Exception {
public:
    using Exception::Exception;
    int ErrorCode = 0;
};

class EOSError : public Exception {
public:
    using Exception::Exception;
    int ErrorCode = 0;
};

// The runtime's fixed texts.
namespace RtlConsts {
inline constexpr const char* SInvalidInteger = "'%s' is not a valid integer value";
inline constexpr const char* SInvalidFloat = "'%s' is not a valid floating point value";
inline constexpr const char* SInvalidDate = "'%s' is not a valid date";
inline constexpr const char* SInvalidTime = "'%s' is not a valid time";
inline constexpr const char* SInvalidDateTime = "'%s' is not a valid date and time";
inline constexpr const char* SInvalidBoolean = "'%s' is not a valid boolean value";
inline constexpr const char* SFOpenErrorEx = "Cannot open file \"%s\". %s";
inline constexpr const char* SFCreateErrorEx = "Cannot create file \"%s\". %s";
inline constexpr const char* SReadError = "Stream read error";
inline constexpr const char* SWriteError = "Stream write error";
inline constexpr const char* SListIndexError = "List index out of bounds (%d)";
inline constexpr const char* SListCapacityError = "List capacity out of bounds (%d)";
inline constexpr const char* SDuplicateString = "String list does not allow duplicates";
inline constexpr const char* SSortedListError = "Operation not allowed on sorted list";
inline constexpr const char* SDuplicateName = "A component named %s already exists";
inline constexpr const char* SInvalidName = "''%s'' is not a valid component name";
}  // namespace RtlConsts
