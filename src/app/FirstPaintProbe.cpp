#include "FirstPaintProbe.h"

#include <QByteArray>
#include <QEvent>
#include <QObject>
#include <QWidget>

#include <chrono>

#include <sys/resource.h>
#include <unistd.h>

namespace {

void reportAndExit()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);

    const QByteArray line = QByteArray::number(qint64(std::chrono::nanoseconds(now).count())) +
                            ' ' + QByteArray::number(qint64(usage.ru_maxrss)) +
                            '\n'; // KiB on Linux
    (void)!write(STDOUT_FILENO, line.constData(), std::size_t(line.size()));
    _exit(0);
}

class FirstPaintProbe : public QObject
{
public:
    explicit FirstPaintProbe(QWidget *window)
        : QObject(window)
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched == parent()) {
            watched->removeEventFilter(this);
            // The window's children are painted and the result shown in the
            // same pass; the call below runs once that pass is over.
            QMetaObject::invokeMethod(this, &reportAndExit, Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace

bool installFirstPaintProbe(QWidget *window)
{
    if (qEnvironmentVariableIsEmpty("VDL_EXIT_AFTER_FIRST_PAINT"))
        return false;
    new FirstPaintProbe(window);
    return true;
}
