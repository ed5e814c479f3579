#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class HelpWindow;

// Where the program asks for help: a topic by its context number, the table
// of contents, and closing every help window at exit. Every request is
// recorded; unless windows are switched off, it then opens the help window
// over the help file. The window, and with it the help engine, is made at the
// first request, never before, and opens once the event loop runs again, so
// that the help asked for while the main window is being made comes up above
// it.
class HelpViewer : public QObject
{
    Q_OBJECT

public:
    explicit HelpViewer(QObject *parent = nullptr);
    ~HelpViewer() override;

    // The path of vdl.qch; its collection vdl.qhc is looked for beside it.
    void setHelpFile(const QString &path);
    QString helpFile() const { return m_helpFile; }

    // Whether requests open help windows, for every viewer in the program.
    // On by default; tests that only check what was asked for turn it off.
    static void setWindowEnabled(bool enabled);
    static bool isWindowEnabled();

    void showTopic(int context);
    void showContents();
    void closeAll();

    QList<int> requestedTopics() const { return m_requested; }
    int contentsRequests() const { return m_contentsRequests; }

    // The help window once a request has opened it; null before that.
    HelpWindow *window() const { return m_window.get(); }

Q_SIGNALS:
    void topicRequested(int context);
    void contentsRequested();
    void closeAllRequested();

private:
    enum class Pending { Nothing, Topic, Contents };

    void schedule(Pending what, int context = 0);
    void openPending();

    QString m_helpFile;
    QList<int> m_requested;
    int m_contentsRequests = 0;
    std::unique_ptr<HelpWindow> m_window;
    Pending m_pending = Pending::Nothing;
    int m_pendingContext = 0;
    bool m_openScheduled = false;
};
