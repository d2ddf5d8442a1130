#include "core/dialogs/QuestDialogs.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {
void setLink(Selection &answer, const QString &word) {
    if (word == "-")
        answer.Init("a", false, QString(), false);
    else if (word.startsWith('~'))
        answer.Init("a", false, word.mid(1), false);
    else
        answer.Init("a", true, word == "_" ? QString() : word, false);
}

QString linkWord(const Selection &answer) {
    if (!answer.isLinked())
        return answer.LinkPage().isEmpty() ? "-" : "~" + answer.LinkPage();
    return answer.LinkPage().isEmpty() ? "_" : answer.LinkPage();
}

QStringList links(const QuestDialogs &project) {
    QStringList out;
    for (qint16 p = 0; p <= project.UpperBound(); ++p)
        out << linkWord(project.Dialog(p).Selection(0));
    return out;
}
} // namespace

// Links follow their pages when a page is removed, and undoing the removal puts back every
// page and link as it was.
TEST(PageRemoval, LinksFollowTheirPagesAndComeBackOnRestore) {
    QFile cases(QStringLiteral(RUNEQUILL_FIXTURES "/page-removal/links.txt"));
    ASSERT_TRUE(cases.open(QIODevice::ReadOnly | QIODevice::Text));
    static const QRegularExpression line(QStringLiteral("^remove (\\d+): (.*) -> (.*)$"));
    int count = 0;
    while (!cases.atEnd()) {
        const QRegularExpressionMatch m = line.match(QString::fromUtf8(cases.readLine()).trimmed());
        if (!m.hasMatch())
            continue;
        ++count;
        const QStringList before = m.captured(2).split(' ');
        QuestDialogs project;
        for (qsizetype p = 0; p < before.size(); ++p) {
            if (p > 0)
                project.AddNewDialog(std::make_unique<Dialog>(QString("p%1").arg(p)));
            setLink(project.Dialog(qint16(p)).Selection(0), before[p]);
        }
        const QStringList pagesBefore = TestSupport::pages(project);

        QuestDialogs::RemovedPage removed = project.takeDialog(qint16(m.captured(1).toInt()));
        EXPECT_EQ(links(project).join(' '), m.captured(3)) << m.captured(0).toStdString();
        project.restoreDialog(std::move(removed));
        EXPECT_EQ(TestSupport::pages(project), pagesBefore) << m.captured(0).toStdString();
    }
    EXPECT_GE(count, 7);
}
