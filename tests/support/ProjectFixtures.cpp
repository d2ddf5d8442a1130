#include "support/ProjectFixtures.h"

#include "core/dialogs/ProjectFile.h"
#include "core/dialogs/QuestDialogs.h"

#include <QStringList>
#include <random>

namespace ProjectFixtures {

namespace {

const QStringList &words() {
    static const QStringList list =
        QStringLiteral("the gate guard road north gold sword ale traveller stranger tonight keep your watch "
                       "over a merchant wolves in forest bring me ten pelts and I will pay well old tower is "
                       "haunted they say lord Britain Minoc ship harbour")
            .split(u' ');
    return list;
}

const QStringList &emotes() {
    static const QStringList list = {QStringLiteral("bows"), QStringLiteral("spits on the ground"),
                                     QStringLiteral("laughs"), QStringLiteral("looks around nervously")};
    return list;
}

class Generator {
public:
    Generator(quint32 seed, int pages) : m_random(seed), m_pages(pages) {}

    std::unique_ptr<Dialog> page() {
        auto dialog = std::make_unique<Dialog>();
        dialog->Init(speech());
        for (int i = 0; i < answersPerPage; ++i)
            dialog->AddSelection(answer());
        return dialog;
    }

private:
    quint32 next(quint32 below) { return m_random() % below; }

    QString sentence(qsizetype length) {
        QString text;
        while (text.size() < length) {
            if (!text.isEmpty())
                text += u' ';
            text += words()[next(static_cast<quint32>(words().size()))];
        }
        return text;
    }

    // About 80 characters; one page in four carries an emote somewhere in the middle.
    QString speech() {
        QString text = sentence(74) + u'.';
        text[0] = text[0].toUpper();
        if (next(4) == 0) {
            const qsizetype at = text.indexOf(u' ', 20 + next(30));
            const QString emote = QStringLiteral(" *[") +
                                  emotes()[next(static_cast<quint32>(emotes().size()))] +
                                  QStringLiteral("*/]");
            text.insert(at < 0 ? text.size() : at, emote);
        }
        return text;
    }

    // About 30 characters. Four in ten lead to an existing page (a few of those also end the
    // talk); the others end it, but for a few that do neither.
    std::unique_ptr<Selection> answer() {
        auto selection = std::make_unique<Selection>();
        const bool linked = next(100) < 40;
        const bool ends = linked ? next(100) < 10 : next(100) < 95;
        const QString link = linked ? QString::number(next(static_cast<quint32>(m_pages))) : QString();
        selection->Init(sentence(27) + u'?', linked, link, ends);
        return selection;
    }

    std::mt19937 m_random; // its sequence is fixed by the standard, so every build agrees
    int m_pages;
};

} // namespace

QString prefix() {
    return QStringLiteral("QDS_Bench_Guard");
}

QString speaker() {
    return QStringLiteral("Captain Aldric");
}

void generate(QuestDialogs &project, int pages, quint32 seed) {
    project.Clear();
    project.setSpeaker(speaker());
    Generator generator(seed, pages);
    for (int n = 0; n < pages; ++n)
        project.AddNewDialog(generator.page());
}

bool saveProjectFile(const QuestDialogs &project, const QString &path) {
    return !ProjectFile::save(path, prefix(), speaker(), project);
}

} // namespace ProjectFixtures
