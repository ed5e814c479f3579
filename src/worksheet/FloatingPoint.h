#pragma once

#include <stdexcept>

// Raised when worksheet arithmetic hits an invalid operation, a division by
// zero or an overflow. Underflow and inexact results never raise it.
class FloatingPointError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Clears the floating-point flags when made; check() raises FloatingPointError
// if any of the watched faults happened since.
class FloatingPointCheck
{
public:
    FloatingPointCheck();
    void check() const;
};
