#pragma once

#include <QLabel>
#include <QPointer>

// A result label of the worksheet: an amount the program writes, standing to
// the right of its caption. A screen reader reads the two together, so the
// amount is never heard without what it is.
class ResultLabel : public QLabel
{
    Q_OBJECT

public:
    ResultLabel(const QString &text, QLabel *caption, QWidget *parent = nullptr);

    QLabel *caption() const { return m_caption; }

private:
    QPointer<QLabel> m_caption;
};
