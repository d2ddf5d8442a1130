#include "core/items/ItemHandling.h"

#include "core/items/ItemKind.h"

namespace ItemHandling {

QString keyText(int index) {
    const DefinitionKind &kind = itemKind();
    if (index == 0)
        return QStringLiteral("[%1 %2").arg(kind.shape().sectionType, kind.shape().namePrefix);
    return index > 0 && index < FieldCount ? kind.keys().entries().at(index - 1).text() : QString();
}

FormValues withFields(FormValues form, const QStringList &fields) {
    form.name = fields.value(0);
    for (int i = 1; i < FieldCount; ++i)
        form.values[i - 1] = fields.value(i);
    return form;
}

QStringList fields(const FormValues &form) {
    return QStringList{form.name} + form.values;
}

QStringList warnings(const QStringList &fields) {
    const DefinitionKind &kind = itemKind();
    return kind.warnings(kind.withForm(kind.fresh(), kind.emptyForm(), withFields(kind.emptyForm(), fields)));
}

} // namespace ItemHandling

QString CompileItem(const QStringList &fields) {
    const DefinitionKind &kind = itemKind();
    return kind.withForm(kind.fresh(), kind.emptyForm(), ItemHandling::withFields(kind.emptyForm(), fields))
        .text();
}
