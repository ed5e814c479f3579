#pragma once

#include "ValueBindings.h"

#include <QDateTime>
#include <QMainWindow>
#include <QVariant>

#include <exception>

class ButtonBar;
class HelpViewer;
class HintRouter;
class QAction;
class QLabel;
class QMenu;
class QToolButton;
class Reports;
class StatusBar;
class TVistaAltFix;
class UrlLauncher;
class Worksheet;

// The one main window: the worksheet and everything around it. Lives from
// program start to program end. Its commands are made in Commands.cpp from
// tables; the handlers they call are the members below, each a line or two
// handing over to the part of the program that does the work.
class TfrmMain : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr char caption[] = "Vendalo, 2.2.10";
    static constexpr int firstRunHelpTopic = 10000;
    static constexpr int windowHelpContext = 5;
    static constexpr int helpButtonTopic = 130;
    static constexpr int clientWidth = 790;
    static constexpr int clientHeight = 579;

    explicit TfrmMain(QWidget *parent = nullptr);
    ~TfrmMain() override;

    Worksheet *worksheet() const { return m_worksheet; }
    HelpViewer *helpViewer() const { return m_help; }
    StatusBar *statusPanels() const { return m_statusBar; }
    HintRouter *hintRouter() const { return m_hints; }
    Reports *reports() const { return m_reports; }

    QString valueFilePath() const;
    QString applicationFolder() const { return m_applicationFolder; }
    QString startupMonthName() const { return m_startupMonthName; }
    bool hasRun() const { return m_hasRun; }
    QDateTime lastUpdate() const { return m_lastUpdate; }
    int valueSet() const { return m_valueSet; }

    // Places `dialog` centrally over this window, never left of or above the
    // screen's origin.
    void CenterForm(QWidget *dialog) const;

    // The program-wide error handler: message A for failed arithmetic,
    // message B for anything else. The program goes on. Errors reach it
    // through the application's error route (reportError), never directly.
    void AppOnException(QObject *sender, std::exception_ptr error);
    // Writes the long part of the current hint into the status bar.
    void AppOnHint();

    void LoadValueFile();
    // Raises an error "Unable to write to <path>" when the file cannot be written.
    void SaveValueFile();

    // Command handlers, given the menu item or button whose event called them.
    void Print(QObject *sender);
    void MnuFilePrintSetupClick(QObject *sender);
    void MnuFileExitClick(QObject *sender);
    void PrintHomeInspectionForm(QObject *sender);
    void PrintToDoList(QObject *sender);
    void GoOnline(QObject *sender);
    void MnuHelpContentsClick(QObject *sender);
    void MnuHelpDisclaimerClick(QObject *sender);
    void MnuHelpAboutClick(QObject *sender);
    void btnHelpClick(QObject *sender);
    void btnResetClick(QObject *sender);
    void gotoChosenCalculator(QObject *sender);
    void ResetCalculators(QObject *sender);
    void ApplyValueSet(QObject *sender);

    // Enables print preview from the toolbar and the File menu.
    void AllowPrinting();
    void MainMenuLabelOn();
    void EnableMnuCalcItems();

    // Calls a command handler; an error it raises takes the error route.
    void runHandler(void (TfrmMain::*handler)(QObject *), QObject *sender);

    QAction *MnuFilePrint = nullptr;
    QToolButton *btnPrint = nullptr;
    QToolButton *btnReset = nullptr;
    QAction *mnuPopMain = nullptr;
    QMenu *MnuPopup = nullptr;
    QMenu *mnuPopReset = nullptr;
    QLabel *lblMainMenu = nullptr;
    UrlLauncher *urlOnline = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    // The title label's exposed strip: a click there is gotoChosenCalculator.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    bool FormCloseQuery();
    void FormClose();
    void showHelpForFocus();

    void bindStoredValues();

    Worksheet *m_worksheet = nullptr;
    ButtonBar *m_buttonBar = nullptr;
    StatusBar *m_statusBar = nullptr;
    HintRouter *m_hints = nullptr;
    HelpViewer *m_help = nullptr;
    Reports *m_reports = nullptr;
    TVistaAltFix *m_altFix = nullptr;
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
