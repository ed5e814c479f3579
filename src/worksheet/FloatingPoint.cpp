#include "FloatingPoint.h"

#include <cfenv>

namespace {
constexpr int watchedFaults = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
}

FloatingPointCheck::FloatingPointCheck()
{
    std::feclearexcept(FE_ALL_EXCEPT);
}

void FloatingPointCheck::raiseIfFaulted() const
{
    const int raised = std::fetestexcept(watchedFaults);
    if (raised == 0)
        return;
    std::feclearexcept(FE_ALL_EXCEPT);
    if (raised & FE_DIVBYZERO)
        throw FloatingPointError("floating-point division by zero");
    if (raised & FE_OVERFLOW)
        throw FloatingPointError("floating-point overflow");
    throw FloatingPointError("invalid floating-point operation");
}
