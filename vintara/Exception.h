#pragma once

#include "vintara/TypeName.h"

#include <string>

namespace vintara {

// An error of the library: its message and the class name of the object that raised it.
// The class of the exception is the error's kind. Texts are Shift-JIS.
class EException {
public:
    explicit EException(std::string message) : message_(std::move(message)) {}
    template <class Raiser>
    EException(const Raiser& raiser, std::string message)
        : message_(std::move(message)), source_(ClassNameOf(raiser)) {}
    EException(const EException&) = default;
    EException& operator=(const EException&) = default;
    virtual ~EException() = default;

    virtual std::string GetMessage() const { return message_; }
    virtual std::string GetSource() const { return source_; }

private:
    std::string message_;
    std::string source_;
};

#define VINTARA_EXCEPTION(Name, Base)                                                              \
    class Name : public Base {                                                                     \
    public:                                                                                        \
        using Base::Base;                                                                          \
    }

VINTARA_EXCEPTION(EIOError, EException);
VINTARA_EXCEPTION(EReadError, EIOError);
VINTARA_EXCEPTION(EWriteError, EIOError);
VINTARA_EXCEPTION(EFileOpenError, EIOError);
VINTARA_EXCEPTION(EInvalidFileFormat, EIOError);
VINTARA_EXCEPTION(EInvalidParameter, EException);

#undef VINTARA_EXCEPTION

// "例外: <kind>\n発生元: <source>\n詳細: <message>", empty parts shown as "不明" (Shift-JIS).
std::string ErrorReport(const EException& error);

} // namespace vintara
