#pragma once

#include <QHash>
#include <QMetaType>
#include <QString>
#include <QVariant>

#include <functional>

class Worksheet;

// How the main window's stored figures are read and written: one binding per
// target of the value file and of the value sets, each to a worksheet field,
// a result label or a piece of the window's own state, with the one type of
// value it takes. Load, save and both resets go through here, so a name
// without a control behind it, or a value of the wrong type, fails with an
// error instead of quietly storing or showing 0.
class ValueBindings
{
public:
    using Reader = std::function<QVariant()>;
    using Writer = std::function<void(const QVariant &)>;

    void bind(const QString &target, QMetaType type, Reader read, Writer write);

    // Binds every target of the value file and of the value sets not bound
    // yet (the window binds its own state first) to a control of `sheet`: numeric fields by their form (the term as an
    // int, the others as doubles), result labels by their text, the
    // closing-month box by its text. Throws std::logic_error for a target
    // that `sheet` has no control for, so that such a slip fails at once.
    void bindWorksheet(Worksheet *sheet);

    bool contains(const QString &target) const { return m_bindings.contains(target); }
    // Both throw std::logic_error for a target that is not bound; write()
    // also for a value of another type than the binding takes.
    QVariant read(const QString &target) const;
    void write(const QString &target, const QVariant &value) const;

private:
    struct Binding
    {
        QMetaType type;
        Reader read;
        Writer write;
    };
    const Binding &binding(const QString &target) const;

    QHash<QString, Binding> m_bindings;
};
