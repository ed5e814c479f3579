#pragma once

#include <QList>
#include <QObject>
#include <QString>

// Where the program asks for help: a topic by its context number, and closing
// every help window at exit. This layer records the requests; the window that
// shows the topics of vdl.qch hangs off topicRequested().
class HelpViewer : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    void setHelpFile(const QString &path) { m_helpFile = path; }
    QString helpFile() const { return m_helpFile; }

    void showTopic(int context);
    void closeAll();

    QList<int> requestedTopics() const { return m_requested; }

Q_SIGNALS:
    void topicRequested(int context);
    void closeAllRequested();

private:
    QString m_helpFile;
    QList<int> m_requested;
};
