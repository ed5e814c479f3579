// ini_writer <path> <keys>
// ini_writer <path> limited
//
// The second form saves once a content of a few kilobytes and exits with 0 when the save
// succeeded, 3 when it reported a failure; tst_inifile runs it under a small file-size limit.
//
// Saves the value file at <path> over and over, forever, alternating between two complete
// contents of <keys> keys each, and prints one line after every save. tst_inifile kills it at
// random moments and checks that what is on disk is always one of the two whole contents.

#include "WriterContent.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[2], "limited") == 0) {
        QString error;
        return writerContent(0, 200).save(QString::fromLocal8Bit(argv[1]), &error) ? 0 : 3;
    }
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
