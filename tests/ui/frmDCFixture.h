#pragma once

#include "core/dialogs/QuestDialogs.h"
#include "support/RecordingNavigator.h"
#include "support/ScriptedPrompts.h"
#include "support/TestSupport.h"
#include "ui/studio/AnalysisModel.h"
#include "ui/studio/AnalysisTree.h"
#include "ui/studio/frmDC.h"
#include "ui/widgets/UpDown.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

// A studio window on the screen and active, with scripted answers to its questions.
struct Studio {
    QuestDialogs project;
    ScriptedPrompts prompts;
    RecordingNavigator navigator;
    frmDC w{project, prompts, navigator};

    Studio() {
        w.show();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    }

    static void click(QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton); }
    // Replaces a box's text by typing, as a user would.
    template <class Box> static void retype(Box *box, const QString &text) {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }

    // The tree as shown: page nodes, and their answers indented by two blanks.
    QStringList tree() const {
        const QAbstractItemModel *model = w.TrvAnalysis->model();
        QStringList out;
        for (int page = 0; page < model->rowCount(); ++page) {
            const QModelIndex index = model->index(page, 0);
            out << index.data().toString();
            for (int answer = 0; answer < model->rowCount(index); ++answer)
                out << "  " + model->index(answer, 0, index).data().toString();
        }
        return out;
    }

    // Page, answer fields and counters as the window shows them.
    QString shown() const {
        return QStringLiteral("page %1 [%2] sel %3 [%4] text '%5' linked %6 id '%7' ends %8")
            .arg(w.txtPage->text(), w.LblOutOf->text(), w.txtSelID->text(), w.LBLSelOutof->text(),
                 w.txtSel->text())
            .arg(w.ChkGoPage->isChecked())
            .arg(w.txtPageID->text())
            .arg(w.ChkENDDIalog->isChecked());
    }

    // One line per stored page and answer.
    QStringList stored() const { return TestSupport::pages(project); }
};
