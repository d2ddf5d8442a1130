#pragma once

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Runs the scenario tables of a fixture folder. Each file is a list of steps done to a fresh
// Scenario, one a line: "VERB NAME TEXT" when NAME is the objectName of a control in
// scenario.window(), else "VERB TEXT"; a step that checks a list has its items on the lines
// after it, each after "| ". "$DIR" stands for a scratch folder, "\n" and "\r" in a line for
// line breaks; blank lines and "#" comments are skipped.
template <class Scenario> void runScenarioTables(const QString &folder, qsizetype atLeast) {
    const QDir dir(QStringLiteral(RUNEQUILL_FIXTURES "/") + folder);
    const QStringList files = dir.entryList({"*.txt"}, QDir::Files);
    ASSERT_GE(files.size(), atLeast);
    for (const QString &name : files) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QTemporaryDir scratch;
        QStringList lines = QString::fromUtf8(file.readAll()).replace("$DIR", scratch.path()).split(u'\n');
        for (QString &line : lines)
            line.replace(QStringLiteral("\\n"), QStringLiteral("\n"))
                .replace(QStringLiteral("\\r"), QStringLiteral("\r"));
        Scenario scenario;
        for (qsizetype n = 0; n < lines.size(); ++n) {
            const QString line = lines[n];
            if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(QStringLiteral("| ")))
                continue;
            SCOPED_TRACE(QStringLiteral("%1:%2: %3").arg(name).arg(n + 1).arg(line).toStdString());
            QStringList list;
            while (n + 1 < lines.size() && lines[n + 1].startsWith(QStringLiteral("| ")))
                list << lines[++n].mid(2);
            QObject *control = scenario.window().template findChild<QObject *>(line.section(u' ', 1, 1));
            scenario.run(line.section(u' ', 0, 0), control, line.section(u' ', control ? 2 : 1), list);
        }
    }
}
