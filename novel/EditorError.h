#pragma once

#include <stdexcept>
#include <string>

namespace miravo {

// The editor's general error: an operation that cannot go on raises it with the message the
// author sees (UTF-8); the application's default handler shows it in a message box and the
// operation is abandoned. The subclasses let callers and tests tell file failures apart; their
// messages are just as final.
class EditorError : public std::runtime_error {
public:
    explicit EditorError(const std::string& utf8Message) : std::runtime_error(utf8Message) {}
    std::string Message() const { return what(); }
};

// A file could not be opened for reading.
class FileOpenError : public EditorError {
public:
    using EditorError::EditorError;
};

// A file could not be created, or writing it failed (the previous file is then untouched).
class FileWriteError : public EditorError {
public:
    using EditorError::EditorError;
};

// A file ended early or holds a length or count that the rest of it cannot hold.
class FileReadError : public EditorError {
public:
    using EditorError::EditorError;
};

} // namespace miravo
