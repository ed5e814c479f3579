#pragma once

#include <QDialog>

#include <functional>

class BevelPanel;
class QLabel;
class QPushButton;
class UrlLauncher;

// The About dialog: product name, version, build date, the rights notice,
// links to the product site and the support mailbox, and the licence.
// Created when asked for, shown modally, freed when closed.
class TfrmAbout : public QDialog
{
    Q_OBJECT

public:
    // Places a dialog over the main window (the main window's CenterForm).
    using CenterFormFn = std::function<void(QWidget *dialog)>;

    static constexpr int clientWidth = 452;
    static constexpr int clientHeight = 290;
    static constexpr char caption[] = " About Vendalo, 2.2.10";
    static constexpr char versionText[] = "Version 2.2.10";
    static constexpr char compileDateText[] = "Compiled February 15, 2010";

    // Has `mainWindow` repaint what is pending, creates the dialog without an
    // owner (it places itself with `centerForm`), shows it modally and frees
    // it when it closes, also when an error escapes. frmAbout designates it
    // while it is open.
    static void openModal(QWidget *mainWindow, const CenterFormFn &centerForm);

    explicit TfrmAbout(const CenterFormFn &centerForm = {});
    ~TfrmAbout() override;

    // The licence agreement beside the program file.
    static QString licensePath();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate(const CenterFormFn &centerForm);
    void FormShow();
    void GoOnlineAbout(QObject *sender);
    void btnShowLicenseClick();
    void btnCloseClick();

    QLabel *label(const char *objectName, int left, int top);

    BevelPanel *pnlGraphic = nullptr;
    QLabel *imgLogo = nullptr;
    UrlLauncher *urlSupport = nullptr;
    QLabel *imgAboutIcon = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblCompileDate = nullptr;
    QLabel *lblCopyright = nullptr;
    QLabel *lblRightsReserved = nullptr;
    QLabel *lblProtection = nullptr;
    QPushButton *btnShowLicense = nullptr;
    QPushButton *btnClose = nullptr;
    UrlLauncher *urlAboutOnline = nullptr;
};

// The About dialog while it is open.
extern TfrmAbout *frmAbout;
