#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

// The Disclaimer dialog: the fixed warranty disclaimer and an OK button.
// Created when asked for, shown modally, freed when closed.
class TfrmDisclaim : public QDialog
{
    Q_OBJECT

public:
    using CenterFormFn = std::function<void(QWidget *dialog)>;

    static constexpr int clientWidth = 363;
    static constexpr int clientHeight = 128;

    // The opener: as TfrmAbout::openModal; frmDisclaim designates the dialog
    // while it is open.
    static void openModal(QWidget *mainWindow, const CenterFormFn &centerForm);

    explicit TfrmDisclaim(const CenterFormFn &centerForm = {});
    ~TfrmDisclaim() override; // FormDestroy

    static QString disclaimerText();

private:
    void FormCreate(const CenterFormFn &centerForm);
    void btnCloseClick();

    QLabel *Label1 = nullptr;
    QPushButton *btnClose = nullptr;
};

// The Disclaimer dialog while it is open.
extern TfrmDisclaim *frmDisclaim;
