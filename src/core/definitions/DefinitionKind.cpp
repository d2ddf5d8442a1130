#include "core/definitions/DefinitionKind.h"

DefinitionKind::DefinitionKind(Shape shape, QList<KeyEntry> keys, QList<DefinitionRule> rules)
    : m_shape(std::move(shape)), m_keys(std::move(keys)), m_rules(std::move(rules)) {}

QString DefinitionKind::header(const QString &name) const {
    return QStringLiteral("[%1 %2%3]")
        .arg(m_shape.sectionType, m_shape.namePrefix, name.isEmpty() ? m_shape.defaultName : name);
}

DefinitionSection DefinitionKind::fresh() const {
    return DefinitionSection(QStringList{header(QString())} + m_shape.freshLines, true);
}

bool DefinitionKind::isKindOf(const DefinitionSection &section) const {
    return section.type().compare(m_shape.sectionType, Qt::CaseInsensitive) == 0;
}

QString DefinitionKind::shownName(const DefinitionSection &section) const {
    QString name = section.name();
    if (name.startsWith(m_shape.namePrefix, Qt::CaseInsensitive))
        name.remove(0, m_shape.namePrefix.size());
    return name;
}

FormValues DefinitionKind::formValues(const DefinitionSection &section) const {
    FormValues form = emptyForm();
    form.name = shownName(section);
    const QList<KeyLine> sides[] = {section.keyLines(KeySide::Body), section.keyLines(KeySide::Create)};
    for (qsizetype i = 0; i < m_keys.entries().size(); ++i) {
        const KeyEntry &entry = m_keys.entries()[i];
        if (!entry.repeats)
            for (const KeyLine &line : sides[entry.side == KeySide::Create])
                if (entry.matches(line.key))
                    form.values[i] = line.value;
    }
    const qsizetype rest = section.restStart();
    form.rest = DefinitionSection(section.lines().mid(rest), section.lastLineEnded()).text();
    return form;
}

FormValues DefinitionKind::emptyForm() const {
    return {QString(), QStringList(m_keys.entries().size()), QString()};
}

DefinitionSection DefinitionKind::withForm(const DefinitionSection &base, const FormValues &was,
                                           const FormValues &now) const {
    const qsizetype rest = base.restStart();
    DefinitionSection out(base.lines().mid(0, rest),
                          rest == base.lines().size() ? base.lastLineEnded() : true);
    if (now.name != was.name)
        out.setHeader(header(now.name));
    for (qsizetype i = 0; i < m_keys.entries().size(); ++i) {
        const KeyEntry &entry = m_keys.entries()[i];
        if (!entry.repeats && now.values.value(i) != was.values.value(i))
            out.setValue(m_keys, entry.side, entry.key, now.values.value(i));
    }
    out.setRest(now.rest);
    return out;
}

QStringList DefinitionKind::warnings(const DefinitionSection &section) const {
    QStringList found;
    for (const DefinitionRule &rule : m_rules)
        rule(section, *this, found);
    return found;
}
