#pragma once

#include <QString>
#include <QtGlobal>

#include <clocale>

// The suite runs a second time with the C library's locale set to German
// (decimal comma), where printf and strtod would read and write "6,875". That
// run names the decimal point it expects; a test checks it really got it, so
// a machine without the locale generated fails instead of passing unseen.
inline QString expectedCDecimalPoint()
{
    return qEnvironmentVariable("VDL_EXPECT_C_DECIMAL_POINT");
}

inline QString cDecimalPoint()
{
    return QString::fromLocal8Bit(std::localeconv()->decimal_point);
}

#define VDL_CHECK_C_LIBRARY_LOCALE()                                                              \
    do {                                                                                          \
        if (!expectedCDecimalPoint().isEmpty())                                                   \
            QCOMPARE(cDecimalPoint(), expectedCDecimalPoint());                                   \
    } while (false)
