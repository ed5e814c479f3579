#pragma once

#include <QWidget>

class QLabel;

// The status bar across the bottom of the main window: panel 0 holds the
// link to the product's web site, panel 1 the text that follows the pointer
// (hints, and the status bar's own texts while the pointer is over it).
// Pressing any mouse button on the link opens it.
class StatusBar : public QWidget
{
    Q_OBJECT

public:
    static constexpr int barHeight = 19;
    static constexpr int linkPanelWidth = 140;
    static constexpr char welcomeText[] = "Welcome to Vendalo by Brantel Software";
    static constexpr char linkText[] = " Click to visit our web site ...";

    explicit StatusBar(QWidget *parent = nullptr);

    QString panelText(int panel) const;
    void setPanelText(int panel, const QString &text);
    int panelWidth(int panel) const;

    // " Vendalo, 2.2.10", eight blanks and the ownership notice.
    static QString versionText();

    // Panel 1 takes what panel 0 and the gap between them leave.
    void statusBarResize();
    // The pointer at (x, y): a hand over the link, and the link's or the
    // version's text in panel 1.
    void statusBarMouseMove(int x, int y);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    bool isOnLink(const QPoint &pos) const;

    QLabel *m_panels[2];
};
