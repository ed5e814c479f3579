#pragma once

#include <QLabel>

// A hyperlink: a blue, underlined caption that hands its address to the
// desktop when clicked. Hidden, it serves as a launcher that code sets and
// clicks. The address stays set between clicks.
class UrlLauncher : public QLabel
{
    Q_OBJECT

public:
    // The longest address handed to the desktop; the rest is cut off.
    static constexpr qsizetype maxAddressLength = 1023;

    explicit UrlLauncher(QWidget *parent = nullptr);

    QString address() const { return m_address; }
    void setAddress(const QString &address) { m_address = address; }

    // Asks the desktop to open the address. When nothing takes it, the
    // default system beep sounds; nothing else is reported.
    void click();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QString m_address;
    bool m_pressed = false;
};
