#include "exceptions.h"

#include <utility>

RuntimeException::RuntimeException(std::string message)
    : message_(std::move(message))
{
}

const char* RuntimeException::what() const noexcept
{
    return message_.c_str();
}

NilObjectException::NilObjectException(std::string message)
    : RuntimeException(std::move(message))
{
}

OutOfBoundsException::OutOfBoundsException(std::string message)
    : RuntimeException(std::move(message))
{
}
