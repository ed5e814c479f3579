// ini_writer <path> <keys>
//
// Saves the value file at <path> over and over, forever, alternating between two complete
// contents of <keys> keys each, and prints one line after every save. tst_inifile kills it at
// random moments and checks that what is on disk is always one of the two whole contents.

#include "WriterContent.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    const int keys = argc == 3 ? std::atoi(argv[2]) : 0;
    if (keys <= 0) {
        std::fputs("usage: ini_writer <path> <keys>\n", stderr);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const IniFile contents[2] = {writerContent(0, keys), writerContent(1, keys)};

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
