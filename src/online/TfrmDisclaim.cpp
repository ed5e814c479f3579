#include "TfrmDisclaim.h"

#include "Artwork.h"
#include "DialogFonts.h"

#include <QLabel>
#include <QPushButton>

#include <memory>

TfrmDisclaim *frmDisclaim = nullptr;

void TfrmDisclaim::openModal(QWidget *mainWindow, const CenterFormFn &centerForm)
{
    if (mainWindow)
        mainWindow->repaint();
    // The opener is the dialog's one owner: it is freed here, once, however
    // the modal wait ends.
    std::unique_ptr<TfrmDisclaim> dialog(new TfrmDisclaim(centerForm));
    frmDisclaim = dialog.get();
    dialog->exec();
}

TfrmDisclaim::TfrmDisclaim(const CenterFormFn &centerForm)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("frmDisclaim"));
    setWindowTitle(QStringLiteral("Disclaimer"));
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(clientWidth, clientHeight);
    setFont(dialogfonts::tahoma8());

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(6, 16, 349, 65);
    Label1->setTextFormat(Qt::PlainText);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setWordWrap(true);
    Label1->setText(disclaimerText());

    btnClose = new QPushButton(QStringLiteral(" &OK"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setGeometry(267, 96, 88, 24);
    btnClose->setFont(dialogfonts::msSansSerif8());
    btnClose->setFlat(true);
    btnClose->setIcon(art::icon(art::okButton));
    btnClose->setIconSize(QSize(16, 16));
    btnClose->setDefault(true);
    connect(btnClose, &QPushButton::clicked, this, &TfrmDisclaim::btnCloseClick);

    FormCreate(centerForm);
}

TfrmDisclaim::~TfrmDisclaim()
{
    if (frmDisclaim == this)
        frmDisclaim = nullptr;
}

QString TfrmDisclaim::disclaimerText()
{
    return QStringLiteral(
        "While effort was made to ensure the accuracy of the results of calculations performed by "
        "this software, there is NO WARRANTY,  express or implied, for the accuracy or "
        "applicability of this information to your particular financial question.  Consult your "
        "financial advisor before making any financial decision.");
}

void TfrmDisclaim::FormCreate(const CenterFormFn &centerForm)
{
    btnClose->setFocus();
    if (centerForm)
        centerForm(this);
}

void TfrmDisclaim::btnCloseClick()
{
    close();
}
