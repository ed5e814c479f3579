#pragma once

#include <QLineEdit>

class QValidator;

// A numeric entry field with a picture mask. The mask limits what can be
// typed; the field's value is the number its text shows, and a text that does
// not form a number the mask accepts reads as 0 and is shown in the error
// colours. Setting the value from code shows it through the mask and emits
// nothing. Leaving the field (by keyboard or mouse, not by the window losing
// the focus) emits exited().
class NumericField : public QLineEdit
{
    Q_OBJECT

public:
    enum class Kind {
        Money,   // "##,###,###.##"
        Percent, // "###.####"
        Months,  // "iiiiii", a whole number from -32768 to 32767
    };
    // Input fields are white and take a Tab stop; computed fields show the
    // result colours, are left out of the Tab order and are overwritten by
    // the next recalculation.
    enum class Role { Input, Computed };

    explicit NumericField(Kind kind, QWidget *parent = nullptr);

    Kind kind() const { return m_kind; }
    QString picture() const;

    Role role() const { return m_role; }
    void setRole(Role role);

    // The value the text shows; 0 when the text is not acceptable.
    double value() const;
    int intValue() const;
    void setValue(double value);

    // True while the text is shown in the error colours.
    bool hasError() const { return m_error; }

    // Parses `text` as this kind of field would show it; false when the mask
    // cannot accept it.
    static bool parse(Kind kind, const QString &text, const QLocale &locale, double *value);

    // `text` as the field shows it: digits of any script as 0-9, the
    // locale's minus sign as "-", direction marks dropped.
    static QString normalizedText(const QString &text, const QLocale &locale);

Q_SIGNALS:
    void exited();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QString textFor(double value) const;
    void setError(bool error);
    void applyColours();

    Kind m_kind;
    Role m_role = Role::Input;
    bool m_error = false;
};
