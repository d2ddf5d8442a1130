#include "core/items/ItemHandling.h"

#include "core/items/ItemKind.h"

namespace ItemHandling {

QString keyText(int index) {
    const DefinitionKind &kind = itemKind();
    if (index == 0)
        return QStringLiteral("[%1 %2").arg(kind.shape().sectionType, kind.shape().namePrefix);
    return index > 0 && index < FieldCount ? kind.keys().entries().at(index - 1).text() : QString();
}

FormValues form(const QStringList &fields, const QString &rest) {
    FormValues form = itemKind().emptyForm();
    form.name = fields.value(0);
    for (int i = 1; i < FieldCount; ++i)
        form.values[i - 1] = fields.value(i);
    form.rest = rest;
    return form;
}

QStringList fields(const FormValues &form) {
    return QStringList{form.name} + form.values;
}

QStringList warnings(const QStringList &fields) {
    const DefinitionKind &kind = itemKind();
    return kind.warnings(kind.withForm(kind.fresh(), kind.emptyForm(), form(fields)));
}

} // namespace ItemHandling

QString CompileItem(const QStringList &fields) {
    const DefinitionKind &kind = itemKind();
    return kind.withForm(kind.fresh(), kind.emptyForm(), ItemHandling::form(fields)).text();
}
