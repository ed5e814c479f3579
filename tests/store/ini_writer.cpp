// ini_writer <path> <keys>
// ini_writer <path> <keys> <generation> <saves>
// ini_writer <path> limited
//
// The first form saves the value file at <path> over and over, forever,
// alternating between two complete contents of <keys> keys each, and prints
// the number of saves and the microseconds the last one took after every
// save. tst_inifile kills it at random moments and checks that what is on
// disk is always one of the two whole contents.
//
// The second form saves content <generation> (0 or 1) <saves> times and exits
// with 0; two of them run at once show what two copies of the program saving
// at the same moment leave.
//
// The third form saves once a content of a few kilobytes and exits with 0
// when the save succeeded, 3 when it reported a failure; tst_inifile runs it
// under a small file-size limit and on a full disk.

#include "WriterContent.h"

#include <QByteArray>
#include <QElapsedTimer>
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
    const int keys = argc >= 3 ? std::atoi(argv[2]) : 0;
    if (keys <= 0 || (argc != 3 && argc != 5)) {
        std::fputs("usage: ini_writer <path> <keys> [<generation> <saves>]\n", stderr);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const IniFile contents[2] = {writerContent(0, keys), writerContent(1, keys)};

    if (argc == 5) {
        const IniFile &content = contents[std::atoi(argv[3]) == 0 ? 0 : 1];
        for (int saves = std::atoi(argv[4]); saves > 0; --saves) {
            QString error;
            if (!content.save(path, &error)) {
                std::fprintf(stderr, "ini_writer: %s\n", error.toLocal8Bit().constData());
                return 1;
            }
        }
        return 0;
    }

    QElapsedTimer timer;
    for (unsigned long saves = 0;; ++saves) {
        QString error;
        timer.start();
        if (!contents[saves % 2].save(path, &error)) {
            std::fprintf(stderr, "ini_writer: %s\n", error.toLocal8Bit().constData());
            return 1;
        }
        std::printf("%lu %lld\n", saves, static_cast<long long>(timer.nsecsElapsed() / 1000));
        std::fflush(stdout);
    }
}
