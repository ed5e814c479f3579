#pragma once

#include <QFrame>

// The toolbar strip across the top of the main window: full width, with a
// lowered outer and a raised inner bevel. It holds the speed buttons, which
// never take the keyboard focus.
class ButtonBar : public QFrame
{
    Q_OBJECT

public:
    static constexpr int barHeight = 33;
    static constexpr int buttonSize = 25;
    static constexpr int buttonTop = 4;

    explicit ButtonBar(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
