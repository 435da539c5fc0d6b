#pragma once

#include <exception>
#include <string>

// The framework's exceptions. Program code lets them travel up to the
// application's UnhandledException event (see CallWithExceptionHandling).
class RuntimeException : public std::exception {
public:
    explicit RuntimeException(std::string message = "RuntimeException");
    const char* what() const noexcept override;
    const std::string& Message() const { return message_; }

private:
    std::string message_;
};

// A missing object was used.
class NilObjectException : public RuntimeException {
public:
    explicit NilObjectException(std::string message = "NilObjectException");
};

// An index outside an array's bounds, or data that runs past its end.
class OutOfBoundsException : public RuntimeException {
public:
    explicit OutOfBoundsException(std::string message = "OutOfBoundsException");
};
