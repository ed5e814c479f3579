#pragma once

#include <QWidget>

// A panel framed by two one-pixel bevels: a lowered outer one and a raised
// inner one, so its content seems to stand on a ledge set into the window.
class BevelPanel : public QWidget
{
    Q_OBJECT

public:
    static constexpr int borderWidth = 2;

    explicit BevelPanel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
