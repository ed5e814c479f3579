#pragma once

#include <QEvent>
#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>

#include <memory>
#include <vector>

class QWidget;

// Watches one form: notes when its keyboard-cue state (access-key underlines,
// focus frames) has changed, and then repaints the whole form once when
// asked to.
class TFormObj : public QObject
{
    Q_OBJECT

public:
    explicit TFormObj(QWidget *form);
    ~TFormObj() override;

    // Null once the form has been destroyed.
    QWidget *form() const { return m_form; }

    bool seen() const { return m_seen; }
    void setSeen(bool seen) { m_seen = seen; }
    bool repaintPending() const { return m_repaintPending; }

    // When the cue state has changed since the last repaint, repaints the
    // form and every control on it, depth first.
    void repaint();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static void repaintTree(QWidget *widget);

    QPointer<QWidget> m_form;
    bool m_seen = true;
    bool m_repaintPending = false;
};

// Makes every form of the program repaint itself after its keyboard-cue state
// has changed (the user pressed Alt, or moved the focus with the keyboard),
// so the cues drawn match the new state. The repaint waits for the next
// moment the program is idle; several changes in between give one repaint.
// Only where the platform hides the cues until asked (Windows Vista and later
// with visual styles) is the fix active; elsewhere it stays inert.
class TVistaAltFix : public QObject
{
    Q_OBJECT

public:
    enum class Activation {
        Platform, // active only where the platform needs it
        Always,
    };

    explicit TVistaAltFix(QObject *owner, Activation activation = Activation::Platform);
    ~TVistaAltFix() override;

    // Whether this platform leaves keyboard cues stale without the fix.
    static bool platformNeedsFix();

    // The event a form receives when its keyboard-cue state has changed.
    static QEvent::Type uiStateUpdateEvent();

    bool isActive() const { return m_active; }

    // The forms watched, in the watchers' order.
    QList<QWidget *> watchedForms() const;

    // One pass over the program's forms, run each time the event loop has
    // nothing left to do: watch the new forms, drop the destroyed ones and
    // repaint those whose cue state changed.
    void idlePass();

private:
    static QList<QWidget *> forms();

    bool m_active = false;
    std::vector<std::unique_ptr<TFormObj>> m_watchers;
    QMetaObject::Connection m_idleSubscription;
};
