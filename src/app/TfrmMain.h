#pragma once

#include "ValueBindings.h"

#include <QDateTime>
#include <QVariant>
#include <QMainWindow>

#include <exception>

class HelpViewer;
class QAction;
class Worksheet;

// The one main window: the worksheet and everything around it. Lives from
// program start to program end.
class TfrmMain : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr char caption[] = "Vendalo, 2.2.10";
    static constexpr int firstRunHelpTopic = 10000;

    explicit TfrmMain(QWidget *parent = nullptr);
    ~TfrmMain() override;

    Worksheet *worksheet() const { return m_worksheet; }
    HelpViewer *helpViewer() const { return m_help; }

    QString valueFilePath() const;
    QString applicationFolder() const { return m_applicationFolder; }
    QString startupMonthName() const { return m_startupMonthName; }
    bool hasRun() const { return m_hasRun; }
    QDateTime lastUpdate() const { return m_lastUpdate; }
    int valueSet() const { return m_valueSet; }

    // Enables print preview from the toolbar and the File menu.
    void AllowPrinting();

    // Places `dialog` centrally over this window, never left of or above the
    // screen's origin.
    void CenterForm(QWidget *dialog) const;

    // The program-wide error handler: message A for failed arithmetic,
    // message B for anything else. The program goes on. Errors reach it
    // through the application's error route (reportError), never directly.
    void AppOnException(QObject *sender, std::exception_ptr error);

    void LoadValueFile();
    // Raises an error "Unable to write to <path>" when the file cannot be written.
    void SaveValueFile();

    QAction *MnuFilePrint = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    bool FormCloseQuery();
    void FormClose();

    void bindStoredValues();

    Worksheet *m_worksheet = nullptr;
    HelpViewer *m_help = nullptr;
    ValueBindings m_values;
    QString m_sharedDataFolder;
    QString m_productFolder;
    QString m_applicationFolder;
    QString m_startupMonthName;
    bool m_hasRun = false;
    QDateTime m_lastUpdate;
    int m_valueSet = 1;
};

// The main window from its creation until its destruction.
extern TfrmMain *frmMain;
