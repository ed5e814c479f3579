#pragma once

#include "IniFile.h"

// The two complete contents ini_writer alternates between; tst_inifile checks
// that a killed writer always leaves one of them whole.
inline IniFile writerContent(int generation, int keys)
{
    const QString mark(1, generation == 0 ? u'A' : u'B');
    const QString filler = mark.repeated(200);
    IniFile ini;
    ini.setValue("Check", "generation", mark);
    ini.setValue("Check", "count", QString::number(keys));
    for (int i = 0; i < keys; ++i)
        ini.setValue("Values", "k" + QByteArray::number(i), filler + QString::number(i));
    ini.setValue("Trailer", "end", mark + QString::number(keys));
    return ini;
}
