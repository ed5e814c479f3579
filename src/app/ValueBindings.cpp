#include "ValueBindings.h"

#include "MonthBox.h"
#include "NumericField.h"
#include "ValueFile.h"
#include "ValueSets.h"
#include "Worksheet.h"

#include <QLabel>

#include <stdexcept>

namespace {

[[noreturn]] void fail(const char *what, const QString &target)
{
    throw std::logic_error(std::string(what) + ": " + target.toStdString());
}

} // namespace

void ValueBindings::bind(const QString &target, QMetaType type, Reader read, Writer write)
{
    m_bindings.insert(target, Binding{type, std::move(read), std::move(write)});
}

void ValueBindings::bindWorksheet(Worksheet *sheet)
{
    const auto bindControl = [&](const QString &target, ValueForm form) {
        if (contains(target))
            return;
        if (target == QLatin1StringView(closingMonthTarget)) {
            MonthBox *box = sheet->closingMonthBox();
            bind(target, QMetaType::fromType<QString>(), [box] { return box->currentText(); },
                 [box](const QVariant &v) { box->setEditText(v.toString()); });
        } else if (NumericField *field = sheet->field(target)) {
            if (form == ValueForm::WholeNumber) {
                bind(target, QMetaType::fromType<int>(), [field] { return field->intValue(); },
                     [field](const QVariant &v) { field->setValue(v.toInt()); });
            } else if (form == ValueForm::Number) {
                bind(target, QMetaType::fromType<double>(), [field] { return field->value(); },
                     [field](const QVariant &v) { field->setValue(v.toDouble()); });
            } else {
                fail("a numeric field stored as text", target);
            }
        } else if (auto *label = sheet->findChild<QLabel *>(target); label && form == ValueForm::Text) {
            bind(target, QMetaType::fromType<QString>(), [label] { return label->text(); },
                 [label](const QVariant &v) { label->setText(v.toString()); });
        } else {
            fail("no worksheet control for the stored value", target);
        }
    };

    for (const ValueKey &key : valueKeys())
        bindControl(QLatin1StringView(key.target), key.form);
    for (const char *name : valueSetOrder()) {
        const QString target = QLatin1StringView(name);
        const QVariant sample = sampleValues().value(target);
        bindControl(target, sample.typeId() == QMetaType::Int ? ValueForm::WholeNumber
                            : sample.typeId() == QMetaType::Double ? ValueForm::Number
                                                                   : ValueForm::Text);
    }
}

const ValueBindings::Binding &ValueBindings::binding(const QString &target) const
{
    const auto it = m_bindings.constFind(target);
    if (it == m_bindings.cend())
        fail("no binding for the stored value", target);
    return *it;
}

QVariant ValueBindings::read(const QString &target) const
{
    return binding(target).read();
}

void ValueBindings::write(const QString &target, const QVariant &value) const
{
    const Binding &b = binding(target);
    if (value.metaType() != b.type)
        fail("a stored value of the wrong type", target);
    b.write(value);
}
