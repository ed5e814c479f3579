// Times whole processes, a candidate against its floor, started alternately
// so that whatever else the machine is doing falls on both alike.
//
//   bench_processes first-paint <label> <runs> <candidate> <floor>
//       Both programs report their first paint (VDL_EXIT_AFTER_FIRST_PAINT):
//       prints the time from process start to the first paint and the peak
//       resident memory at that moment, each as a ratio to the floor.
//   bench_processes whole <label> <runs> <target ms> <candidate> [args...]
//       Times the candidate from process start to its exit against a target.
//
// The environment is passed on as it is: the calling script sets the
// platform, the display, the value file's folder and the language.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

struct Run
{
    double toReportMs = 0; // start to the line the program wrote, if any
    double toExitMs = 0;   // start to exit
    double cpuMs = 0;      // user and system time of the process
    double peakKiB = 0;
};

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

Run runOnce(const QStringList &command)
{
    std::vector<std::string> args;
    for (const QString &a : command)
        args.push_back(a.toStdString());
    std::vector<char *> argv;
    for (std::string &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int out[2];
    if (pipe(out) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    // Both programs' warnings would only clutter the figures.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    pid_t pid = 0;
    const qint64 start = nowNs();
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (failed) {
        close(out[0]);
        throw std::runtime_error("cannot start " + args[0]);
    }

    QByteArray output;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, n);
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const qint64 end = nowNs();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(args[0] + " failed");

    Run run;
    run.toExitMs = double(end - start) / 1e6;
    run.cpuMs = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    const QList<QByteArray> fields = output.trimmed().split(' ');
    if (fields.size() == 2) {
        bool okTime = false;
        bool okMemory = false;
        run.toReportMs = double(fields[0].toLongLong(&okTime) - start) / 1e6;
        run.peakKiB = fields[1].toDouble(&okMemory);
        if (!okTime || !okMemory)
            throw std::runtime_error(args[0] + " wrote no first-paint line");
    }
    return run;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

QString fixed(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

// One figure: the ratio of the medians, its target, the medians themselves
// and, where given, the ratio of the CPU times, which the other work on the
// machine disturbs less than the clock.
void ratioLine(const QString &label, double candidate, double floor, double target,
               const QString &unit, int decimals, int runs, double cpuRatio = 0)
{
    const double ratio = candidate / floor;
    out() << label.leftJustified(40) << fixed(ratio, 2) << "x floor  (target " << fixed(target, 1)
          << "x)  " << fixed(candidate, decimals) << ' ' << unit << " vs " << fixed(floor, decimals)
          << ' ' << unit;
    if (cpuRatio > 0)
        out() << ", cpu " << fixed(cpuRatio, 2) << 'x';
    out() << ", median of " << runs << " each" << (ratio > target ? "  MISS" : "") << Qt::endl;
}

int firstPaint(const QString &label, int runs, const QString &candidate, const QString &floor)
{
    // One start of each first, untimed: it fills the page and font caches.
    runOnce({candidate});
    runOnce({floor});
    std::vector<double> time[2];
    std::vector<double> cpu[2];
    std::vector<double> memory[2];
    for (int i = 0; i < runs; ++i) {
        // ABBA order, so neither program always runs right after the other.
        for (int k = 0; k < 2; ++k) {
            const int which = (i + k) % 2;
            const Run run = runOnce({which == 0 ? candidate : floor});
            time[which].push_back(run.toReportMs);
            cpu[which].push_back(run.cpuMs);
            memory[which].push_back(run.peakKiB / 1024);
        }
    }
    ratioLine(label + QStringLiteral(" time"), median(time[0]), median(time[1]), 1.2,
              QStringLiteral("ms"), 1, runs, median(cpu[0]) / median(cpu[1]));
    ratioLine(label + QStringLiteral(" memory"), median(memory[0]), median(memory[1]), 1.2,
              QStringLiteral("MiB"), 1, runs);
    return 0;
}

int whole(const QString &label, int runs, double targetMs, const QStringList &command)
{
    runOnce(command);
    std::vector<double> times;
    std::vector<double> cpu;
    for (int i = 0; i < runs; ++i) {
        const Run run = runOnce(command);
        times.push_back(run.toExitMs);
        cpu.push_back(run.cpuMs);
    }
    const double m = median(times);
    out() << label.leftJustified(40) << fixed(m, 1) << " ms  (target under " << fixed(targetMs, 0)
          << " ms)  fastest " << fixed(*std::min_element(times.begin(), times.end()), 1)
          << " ms, cpu " << fixed(median(cpu), 1) << " ms, median of " << runs
          << (m >= targetMs ? "  MISS" : "") << Qt::endl;
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    try {
        if (args.size() == 5 && args[0] == u"first-paint")
            return firstPaint(args[1], args[2].toInt(), args[3], args[4]);
        if (args.size() >= 5 && args[0] == u"whole")
            return whole(args[1], args[2].toInt(), args[3].toDouble(), args.mid(4));
    } catch (const std::exception &e) {
        out() << args.value(1) << ": " << e.what() << Qt::endl;
        return 1;
    }
    out() << "usage: bench_processes first-paint <label> <runs> <candidate> <floor>\n"
             "       bench_processes whole <label> <runs> <target ms> <program> [args...]"
          << Qt::endl;
    return 2;
}
