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

    // Pass the results of the guarded arithmetic: they are then certainly
    // computed before the flags are read, whatever the optimiser does.
    template <typename... Results>
    void check(const Results &...results) const
    {
        (settle(results), ...);
        raiseIfFaulted();
    }

private:
    // An empty instruction that reads `value` from memory: the compiler must
    // have finished the arithmetic by here and cannot move it past the check.
    template <typename T>
    static void settle(const T &value)
    {
        asm volatile("" : : "m"(value) : "memory");
    }

    void raiseIfFaulted() const;
};
