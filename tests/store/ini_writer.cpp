// ini_writer <path> <keys>
//
// Saves the value file at <path> over and over, forever, alternating between two complete
// contents of <keys> keys each, and prints one line after every save. tst_inifile kills it at
// random moments and checks that what is on disk is always one of the two whole contents.

#include "IniFile.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>

namespace {

// tst_inifile builds the same two contents to compare against; keep the two in step.
IniFile content(int generation, int keys)
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

} // namespace

int main(int argc, char **argv)
{
    const int keys = argc == 3 ? std::atoi(argv[2]) : 0;
    if (keys <= 0) {
        std::fputs("usage: ini_writer <path> <keys>\n", stderr);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const IniFile contents[2] = {content(0, keys), content(1, keys)};

    for (unsigned long saves = 0;; ++saves) {
        QString error;
        if (!contents[saves % 2].save(path, &error)) {
            std::fprintf(stderr, "ini_writer: %s\n", error.toLocal8Bit().constData());
            return 1;
        }
        std::printf("%lu\n", saves);
        std::fflush(stdout);
    }
}
