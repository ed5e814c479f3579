#include "NumericField.h"

#include "FieldExit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QValidator>

#include <cmath>
#include <limits>

namespace {

struct Mask
{
    int integerDigits;
    int decimals;
    bool grouped;
};

Mask maskOf(NumericField::Kind kind)
{
    switch (kind) {
    case NumericField::Kind::Money:
        return {8, 2, true};
    case NumericField::Kind::Percent:
        return {3, 4, false};
    case NumericField::Kind::Months:
        return {6, 0, false};
    }
    return {0, 0, false};
}

constexpr int minMonths = -32768;
constexpr int maxMonths = 32767;

// The characters of a mask that are not digits, in the given locale.
struct Separators
{
    QString decimal;
    QString group;
    QString minus; // the locale's own sign; '-' is always accepted too
};

// Some locales write the minus as U+2212, some wrap it in direction marks.
QString plainMinus(const QLocale &locale)
{
    QString minus = locale.negativeSign();
    minus.removeIf([](QChar c) { return c.category() == QChar::Other_Format; });
    return minus;
}

Separators separatorsOf(const QLocale &locale)
{
    return {locale.decimalPoint(), locale.groupSeparator(), plainMinus(locale)};
}

// Splits `text` into sign, integer digits and decimal digits, ignoring group
// separators where the mask has them. False when anything else is in it.
bool split(const QString &text, const Mask &mask, const Separators &sep, bool *negative,
           QString *integer, QString *fraction, bool *hasPoint)
{
    *negative = false;
    *hasPoint = false;
    integer->clear();
    fraction->clear();
    qsizetype i = 0;
    if (text.startsWith(QLatin1Char('-'))) {
        *negative = true;
        i = 1;
    } else if (!sep.minus.isEmpty() && text.startsWith(sep.minus)) {
        *negative = true;
        i = sep.minus.size();
    }
    while (i < text.size()) {
        if (!*hasPoint && mask.decimals > 0 && QStringView(text).sliced(i).startsWith(sep.decimal)) {
            *hasPoint = true;
            i += sep.decimal.size();
            continue;
        }
        if (!*hasPoint && mask.grouped && !sep.group.isEmpty() &&
            QStringView(text).sliced(i).startsWith(sep.group)) {
            i += sep.group.size();
            continue;
        }
        const QChar c = text.at(i);
        // Digits of any script count: under ar_EG the program itself writes
        // Arabic-Indic ones, and the user types what the program shows.
        const int digit = c.digitValue();
        if (digit < 0 || digit > 9)
            return false;
        (*hasPoint ? fraction : integer)->append(QLatin1Char(char('0' + digit)));
        ++i;
    }
    return true;
}

// Limits typing to what the picture mask allows. Partial entries such as "-"
// are let through; they read as 0 and show the error colours once left.
class PictureValidator : public QValidator
{
public:
    PictureValidator(NumericField::Kind kind, QObject *parent)
        : QValidator(parent)
        , m_kind(kind)
        , m_mask(maskOf(kind))
    {
    }

    State validate(QString &input, int &) const override
    {
        input = NumericField::normalizedText(input, locale());
        if (m_kind == NumericField::Kind::Months && input.size() > m_mask.integerDigits)
            return Invalid;
        bool negative, hasPoint;
        QString integer, fraction;
        if (!split(input, m_mask, separatorsOf(locale()), &negative, &integer, &fraction,
                   &hasPoint))
            return Invalid;
        if (m_kind != NumericField::Kind::Months && integer.size() > m_mask.integerDigits)
            return Invalid;
        if (fraction.size() > m_mask.decimals)
            return Invalid;
        double value;
        return NumericField::parse(m_kind, input, locale(), &value) ? Acceptable : Intermediate;
    }

private:
    NumericField::Kind m_kind;
    Mask m_mask;
};

const QColor activeCaption(0, 84, 227);

} // namespace

QString NumericField::normalizedText(const QString &text, const QLocale &locale)
{
    const Separators sep = separatorsOf(locale);
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.category() == QChar::Other_Format)
            continue; // direction marks
        if (i == 0 && c != QLatin1Char('-') && !sep.minus.isEmpty() &&
            QStringView(text).startsWith(sep.minus)) {
            out += QLatin1Char('-');
            i += sep.minus.size() - 1;
            continue;
        }
        const int digit = c.digitValue();
        if (digit >= 0 && digit <= 9 && (c < QLatin1Char('0') || c > QLatin1Char('9')))
            out += QLatin1Char(char('0' + digit));
        else
            out += c;
    }
    return out;
}

NumericField::NumericField(Kind kind, QWidget *parent)
    : QLineEdit(parent)
    , m_kind(kind)
{
    setValidator(new PictureValidator(kind, this));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(this, &QLineEdit::textEdited, this, [this] { setError(false); });
    applyColours();
    setValue(0);
}

QString NumericField::picture() const
{
    switch (m_kind) {
    case Kind::Money:
        return QStringLiteral("##,###,###.##");
    case Kind::Percent:
        return QStringLiteral("###.####");
    case Kind::Months:
        return QStringLiteral("iiiiii");
    }
    return {};
}

void NumericField::setRole(Role role)
{
    m_role = role;
    setFocusPolicy(role == Role::Input ? Qt::StrongFocus : Qt::ClickFocus);
    applyColours();
}

bool NumericField::parse(Kind kind, const QString &text, const QLocale &locale, double *value)
{
    *value = 0;
    const Mask mask = maskOf(kind);
    bool negative, hasPoint;
    QString integer, fraction;
    if (!split(text.trimmed(), mask, separatorsOf(locale), &negative, &integer, &fraction,
               &hasPoint))
        return false;
    if (integer.isEmpty() && fraction.isEmpty())
        return text.trimmed().isEmpty(); // an empty field is 0; "-" or "." is not a number
    if (fraction.size() > mask.decimals)
        return false;
    bool ok = false;
    const QString plain = (negative ? QStringLiteral("-") : QString()) +
                          (integer.isEmpty() ? QStringLiteral("0") : integer) +
                          (fraction.isEmpty() ? QString() : QLatin1Char('.') + fraction);
    const double parsed = QLocale::c().toDouble(plain, &ok);
    if (!ok || !std::isfinite(parsed))
        return false;
    if (kind == Kind::Months && (parsed < minMonths || parsed > maxMonths))
        return false;
    *value = parsed == 0 ? 0.0 : parsed; // no negative zero
    return true;
}

double NumericField::value() const
{
    double v;
    parse(m_kind, text(), locale(), &v);
    return v;
}

int NumericField::intValue() const
{
    return int(std::lround(value()));
}

// The text a value shows: ASCII digits and minus, always readable back, with
// the locale's own decimal and group separators.
QString NumericField::textFor(double v) const
{
    const Mask mask = maskOf(m_kind);
    if (!std::isfinite(v))
        return QString(); // shown as nothing, never as "nan" or "inf"
    const int decimals = m_kind == Kind::Months ? 0 : mask.decimals;
    QString plain = QString::number(m_kind == Kind::Months ? std::round(v) : v, 'f', decimals);
    if (plain.startsWith(QLatin1Char('-')) && plain.toDouble() == 0)
        plain.remove(0, 1); // "-0.00" would read back as 0 but looks wrong
    const qsizetype point = plain.indexOf(QLatin1Char('.'));
    const qsizetype integerEnd = point < 0 ? plain.size() : point;
    const qsizetype integerStart = plain.startsWith(QLatin1Char('-')) ? 1 : 0;
    const QString group = mask.grouped ? locale().groupSeparator() : QString();
    QString text = plain.left(integerStart);
    for (qsizetype i = integerStart; i < integerEnd; ++i) {
        const qsizetype left = integerEnd - i;
        text += plain.at(i);
        if (left > 1 && left % 3 == 1 && !group.isEmpty())
            text += group;
    }
    if (point >= 0)
        text += locale().decimalPoint() + plain.mid(point + 1);
    return text;
}

void NumericField::setValue(double v)
{
    const QString text = textFor(v);
    setText(text);
    setCursorPosition(0);
    double check;
    setError(!parse(m_kind, text, locale(), &check));
}

void NumericField::keyPressEvent(QKeyEvent *event)
{
    // The keypad's decimal key types the decimal separator of the user's
    // settings, whatever the keyboard layout puts on it: under de_DE a "."
    // would be taken as a thousands separator, and 6.875 would become 6875.
    const bool keypadDecimal = (event->modifiers() & Qt::KeypadModifier) &&
                               (event->key() == Qt::Key_Period || event->key() == Qt::Key_Comma);
    if (keypadDecimal && m_kind != Kind::Months) {
        QKeyEvent decimal(event->type(), event->key(), event->modifiers(), locale().decimalPoint(),
                          event->isAutoRepeat(), ushort(event->count()));
        QLineEdit::keyPressEvent(&decimal);
        event->setAccepted(decimal.isAccepted());
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void NumericField::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (!isFieldExit(*event))
        return;
    double v;
    if (parse(m_kind, text(), locale(), &v))
        setValue(v);
    else
        setError(true);
    Q_EMIT exited();
}

void NumericField::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        applyColours();
    else if (event->type() == QEvent::LocaleChange)
        const_cast<QValidator *>(validator())->setLocale(locale());
}

void NumericField::setError(bool error)
{
    if (m_error == error)
        return;
    m_error = error;
    applyColours();
}

void NumericField::applyColours()
{
    QPalette p = palette();
    QColor base = Qt::white;
    QColor text = Qt::black;
    if (m_error) {
        base = Qt::red;
    } else if (m_role == Role::Computed) {
        base = activeCaption;
        text = p.color(QPalette::Active, QPalette::HighlightedText);
    }
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Base, base);
        p.setColor(group, QPalette::Text, text);
    }
    p.setColor(QPalette::Disabled, QPalette::Base, p.color(QPalette::Active, QPalette::Window));
    p.setColor(QPalette::Disabled, QPalette::Text, Qt::gray);
    setPalette(p);
}
