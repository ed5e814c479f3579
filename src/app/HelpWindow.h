#pragma once

#include <QUrl>
#include <QWidget>

class HelpBrowser;
class QAction;
class QHelpEngine;
class QModelIndex;
class QTreeView;

// Vendalo's help window: the table of contents at the left, the topic at the
// right, Back, Forward and Home above them. It reads the collection vdl.qhc
// that lies beside the help file vdl.qch and never writes to it. A missing or
// damaged file is reported inside the window, in place of a topic; the window
// never fails and never waits for an answer.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr char title[] = "Vendalo Help";
    // The topic Home goes to, and the one shown with the contents when
    // nothing else has been opened yet.
    static constexpr int homeContext = 10000;

    // `helpFile` is the path of vdl.qch; the collection is looked for beside
    // it under the same name with the suffix .qhc.
    explicit HelpWindow(const QString &helpFile, QWidget *parent = nullptr);
    ~HelpWindow() override;

    QString helpFile() const { return m_helpFile; }
    QString collectionFile() const;

    // False when the help could not be opened; the window then shows why.
    bool isHelpOpen() const { return m_problem.isEmpty(); }

    // Shows the window, raised, at the topic of a context number.
    void showTopic(int context);
    // Shows the window, raised, with the keyboard in the table of contents.
    void showContents();

    // The topic of a context number; empty when the help has none.
    QUrl topicUrl(int context) const;
    // The page on show; empty while the window shows a message instead.
    QUrl currentPage() const;
    // The text of the page or message on show.
    QString currentText() const;

    HelpBrowser *browser() const { return m_browser; }
    QTreeView *contentsView() const { return m_contents; }
    // The table of contents is read in the background; until then it is empty.
    bool hasContents() const { return m_contentsLoaded; }

    QAction *backAction() const { return m_back; }
    QAction *forwardAction() const { return m_forward; }
    QAction *homeAction() const { return m_home; }

Q_SIGNALS:
    void contentsLoaded();

private:
    QString openHelp();
    void openPage(const QUrl &url);
    void followLink(const QUrl &url);
    void showMessage(const QString &html);
    void markInContents(const QUrl &page);
    QModelIndex contentsIndexOf(const QUrl &page) const;
    void bringToFront();

    QString m_helpFile;
    QHelpEngine *m_engine = nullptr;
    QString m_problem; // HTML; empty when the help is open
    bool m_showingMessage = false;
    bool m_contentsLoaded = false;
    HelpBrowser *m_browser = nullptr;
    QTreeView *m_contents = nullptr;
    QAction *m_back = nullptr;
    QAction *m_forward = nullptr;
    QAction *m_home = nullptr;
};
