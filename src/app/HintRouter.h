#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

// The program-wide hint routing: keeps the long hint of the control under the
// mouse pointer (or of its nearest parent that has one; empty when none has)
// as the current hint, and reports each change. It looks once the events of
// the moment are handled, after the pointer has entered or left a control.
class HintRouter : public QObject
{
    Q_OBJECT

public:
    explicit HintRouter(QObject *parent = nullptr);
    ~HintRouter() override;

    QString currentHint() const { return m_current; }
    QWidget *widgetUnderPointer() const { return m_under; }

    // Takes the hint under the pointer now; emits hintChanged() when it differs.
    void update();

Q_SIGNALS:
    void hintChanged(const QString &hint);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void scheduleUpdate();

    QPointer<QWidget> m_under;
    QString m_current;
    bool m_scheduled = false;
};
