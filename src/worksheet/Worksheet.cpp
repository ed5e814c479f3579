#include "Worksheet.h"

#include "Hints.h"
#include "MoneyText.h"
#include "MonthBox.h"
#include "NumericField.h"
#include "ResultLabel.h"
#include "ResultsGrid.h"
#include "SaleCalculation.h"
#include "WorksheetFields.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr QRect mainPanelGeometry(15, 50, 761, 321);
constexpr QRect effectsPanelGeometry(0, 371, 790, 156);
constexpr int gridHeaderHeight = 26;
constexpr int resultLine = 290;

// What a screen reader adds to the name of a field the program fills in.
constexpr char calculatedDescription[] =
    "Calculated from the figures you enter; what you type here is replaced.";

QFont arial(int pixelSize, bool bold = false)
{
    QFont f;
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

} // namespace

Worksheet::Worksheet(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("worksheet"));
    setFixedSize(width, height);
    setFont(arial(12));

    auto *heading = new QLabel(QStringLiteral("Home Sales Transaction Details"), this);
    heading->setFont(arial(19, true));
    heading->setGeometry(15, 2, 500, 23);
    auto *prompt =
        new QLabel(QStringLiteral("Enter the numbers related to selling your home:"), this);
    prompt->setFont(arial(19));
    prompt->setGeometry(15, 25, 600, 23);

    buildMainPanel();
    buildEffectsPanel();

    for (qsizetype i = 1; i < m_tabOrder.size(); ++i)
        setTabOrder(m_tabOrder[i - 1], m_tabOrder[i]);

    for (NumericField *f : std::as_const(m_fields))
        connect(f, &NumericField::exited, this, [this, f] { recalculateFrom(f); });
    connect(m_closingMonth, &MonthBox::exited, this, [this] { recalculateFrom(m_closingMonth); });
    // Only the user's own changes count: typing, or picking from the list.
    // Text set from code (a reset, the month fix below) recalculates nothing.
    connect(m_closingMonth->lineEdit(), &QLineEdit::textEdited, this,
            [this] { recalculateFrom(m_closingMonth); });
    connect(m_closingMonth, &QComboBox::activated, this,
            [this] { recalculateFrom(m_closingMonth); });
}

Worksheet::~Worksheet()
{
    // Deleting the focused field moves the focus, which would "leave" it and
    // recalculate on a worksheet that is already half gone.
    for (NumericField *f : std::as_const(m_fields))
        f->disconnect(this);
    m_closingMonth->disconnect(this);
    m_closingMonth->lineEdit()->disconnect(this);
}

void Worksheet::buildMainPanel()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("pnlMain"));
    panel->setGeometry(mainPanelGeometry);

    for (const WorksheetField &entry : worksheetFields()) {
        QLabel *caption = entry.caption ? addLabel(panel, QString::fromLatin1(entry.caption),
                                                   entry.labelRight, entry.field.top())
                                        : nullptr;
        if (qstrcmp(entry.name, closingMonthBoxName) == 0) {
            m_closingMonth = new MonthBox(panel);
            m_closingMonth->setObjectName(QString::fromLatin1(entry.name));
            m_closingMonth->setGeometry(entry.field);
            hints::setHint(m_closingMonth, QString::fromLatin1(entry.hint));
            hints::setHelpContext(m_closingMonth, closingMonthHelpContext);
            describe(m_closingMonth, accessibleNameOf(entry), NumericField::Role::Input);
            // The text part of the box is a control of its own to a screen reader.
            describe(m_closingMonth->lineEdit(), accessibleNameOf(entry),
                     NumericField::Role::Input);
            labelBy(caption, m_closingMonth);
            m_tabOrder.append(m_closingMonth);
            continue;
        }
        NumericField *f =
            addField(panel, entry.name, entry.kind, entry.role, entry.hint, entry.field);
        describe(f, accessibleNameOf(entry), entry.role);
        labelBy(caption, f);
        m_tabOrder.append(f);
    }

    const int left = worksheetFields()[4].field.right() + 1;   // end of the left column
    const int right = worksheetFields()[12].field.right() + 1; // end of the right column
    QLabel *carryingCaption = addLabel(panel, QStringLiteral("Your Monthly Carrying Costs:"),
                                       left - 126, resultLine, true);
    QLabel *closingCaption =
        addLabel(panel, QStringLiteral("Sales Transacation Costs:"), right - 126, resultLine, true);
    m_carryingCosts = new ResultLabel(QString::fromLatin1(unsetResultText), carryingCaption, panel);
    m_closingCosts = new ResultLabel(QString::fromLatin1(unsetResultText), closingCaption, panel);
    m_carryingCosts->setObjectName(QStringLiteral("lblMonthlyCarryingCosts"));
    m_closingCosts->setObjectName(QStringLiteral("lblClosingCosts"));
    for (auto [label, end] : {std::pair{m_carryingCosts, left}, std::pair{m_closingCosts, right}}) {
        label->setFont(arial(12, true));
        label->setStyleSheet(QStringLiteral("color: red;"));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(end - 122, resultLine, 122, 21);
    }

    // The designated prepayment amount has a field of its own that nobody sees:
    // it is stored and reset with the rest but never shown or calculated with.
    auto *hidden = new QWidget(this);
    hidden->setObjectName(QStringLiteral("pnlHidden"));
    hidden->hide();
    addField(hidden, "edtEnteredPrepaymentPenalty", NumericField::Kind::Money,
             NumericField::Role::Input, nullptr, QRect(0, 0, 121, 21));
}

void Worksheet::buildEffectsPanel()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("pnlEffects"));
    panel->setGeometry(effectsPanelGeometry);

    auto *strip = new QWidget(panel);
    strip->setObjectName(QStringLiteral("pnlGridHeader"));
    strip->setGeometry(0, 0, width, gridHeaderHeight);
    auto *caption = new QLabel(
        QStringLiteral(
            "NET PROCEEDS:  Profits (Sales Proceeds) Diminish with Each Month the House is On "
            "the Market"),
        strip);
    caption->setFont(arial(12, true));
    caption->setGeometry(6, 3, 560, 21);
    const QRect spreadRect(width - 91 - 6, 3, 91, 21);
    const QString spreadCaption = QStringLiteral("Sales Price Interval");
    QLabel *spreadLabel = addLabel(strip, spreadCaption, spreadRect.left() - 4, 3);
    NumericField *spread =
        addField(strip, "edtSpread", NumericField::Kind::Money, NumericField::Role::Input,
                 "Enter the amount by which you wish to spread the sales prices "
                 "in the chart below",
                 spreadRect);
    describe(spread, spreadCaption, NumericField::Role::Input);
    labelBy(spreadLabel, spread);
    m_tabOrder.append(spread);

    m_grid = new ResultsGrid(panel);
    m_grid->setObjectName(QStringLiteral("grdResults"));
    m_grid->setGeometry(0, gridHeaderHeight, width,
                        effectsPanelGeometry.height() - gridHeaderHeight);
}

NumericField *Worksheet::addField(QWidget *panel, const char *name, NumericField::Kind kind,
                                  NumericField::Role role, const char *hint, const QRect &geometry)
{
    auto *f = new NumericField(kind, panel);
    f->setObjectName(QString::fromLatin1(name));
    f->setRole(role);
    f->setGeometry(geometry);
    if (hint)
        hints::setHint(f, QString::fromLatin1(hint));
    m_fields.append(f);
    return f;
}

void Worksheet::describe(QWidget *control, const QString &name, NumericField::Role role)
{
    // A screen reader names the control by its caption. It describes an
    // entry field by what its status-bar hint asks for, and a computed one
    // as calculated.
    control->setAccessibleName(name);
    if (role == NumericField::Role::Computed)
        control->setAccessibleDescription(QString::fromLatin1(calculatedDescription));
    else
        control->setAccessibleDescription(hints::longPart(hints::nearestHint(control)).trimmed());
}

void Worksheet::labelBy(QLabel *caption, QWidget *control)
{
    // The caption labels the control for assistive tools; on Linux Qt names a
    // combo box by its text and leaves its label to this relation. A caption
    // with an ampersand would turn it into an access key, so it stays
    // without; the control's own name covers it.
    if (caption && !caption->text().contains(QLatin1Char('&')))
        caption->setBuddy(control);
}

QLabel *Worksheet::addLabel(QWidget *panel, const QString &caption, int right, int top, bool bold)
{
    auto *label = new QLabel(caption, panel);
    label->setTextFormat(Qt::PlainText);
    if (bold)
        label->setFont(arial(12, true));
    const int w = label->fontMetrics().horizontalAdvance(caption) + 4;
    label->setGeometry(right - w, top, w, 21);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

NumericField *Worksheet::field(QAnyStringView name) const
{
    for (NumericField *f : m_fields) {
        if (QAnyStringView::equal(f->objectName(), name))
            return f;
    }
    return nullptr;
}

void Worksheet::CalcVDP(QObject *sender)
{
    // Show what was just typed before the results change.
    QCoreApplication::sendPostedEvents(window(), QEvent::UpdateRequest);

    Q_EMIT allowPrintingRequested();

    if (sender == m_closingMonth && ClosingMonthNumber(m_closingMonth->currentText()) == 0)
        m_closingMonth->setEditText(QStringLiteral("January"));

    auto value = [this](const char *name) {
        return field(QLatin1StringView(name))->value();
    };

    const double pi = MonthlyPayment(field(u"edtVDPOriginalTerm")->intValue(),
                                     value("edtVDPOriginalInterestRate") / 1200,
                                     value("edtVDPOriginalLoanAmount"));
    field(u"edtVDPOriginalPI")->setValue(pi);

    SaleInputs in;
    in.salesPrice = value("edtVDPDesiredSalesPrice");
    in.firstLoanBalance = value("edtVDPFirstLoanBalance");
    in.secondLoanBalance = value("edtVDPSecondLoanBalance");
    in.otherLoans = value("edtVDPOtherLoans");
    in.propertyTaxes = value("edtVDPPropertyTaxes");
    in.insurance = value("edtVDPInsurance");
    in.hoaDues = value("edtVDPAnnualHOADues");
    in.monthlyUtilities = value("edtVDPMonthlyUtilities");
    in.transferTaxPercent = value("edtVDPTransferTaxPercent");
    in.closingMonth = ClosingMonthNumber(m_closingMonth->currentText());
    in.prepaymentPenalty = value("edtVDPPrepaymentPenalty");
    in.commissionPercent = value("edtVDPSalesCommissionPercent");
    in.otherCommission = value("edtVDPOtherSalesCommission");
    in.otherFees = value("edtVDPOtherFees");

    const SaleCharges charges = CalculateCharges(in);
    field(u"edtVDPSalesCommission")->setValue(charges.commission);
    field(u"edtVDPPropertyTaxesPaid")->setValue(charges.propertyTaxesDue);
    field(u"edtVDPTransferTaxesPaid")->setValue(charges.transferTaxesDue);

    const double carrying = CarryingCosts(in, pi);
    m_carryingCosts->setText(MoneyToText(carrying));
    m_closingCosts->setText(MoneyToText(TransactionCosts(in, charges)));

    m_grid->prepare();
    in.spread = value("edtSpread");
    for (int j = 0; j < gridPriceRows; ++j) {
        const ProceedsRow row = CalculateGridRow(in, charges.netProceeds, carrying, j);
        for (int i = 0; i < gridColumns; ++i)
            m_grid->setCellText(j + 1, i, WholeMoneyToText(row[i]));
    }
}

void Worksheet::recalculateFrom(QObject *sender)
{
    try {
        CalcVDP(sender);
    } catch (...) {
        Q_EMIT recalculationFailed(sender, std::current_exception());
    }
}
