// Random projects, saved and opened again: the prefix, the speaker and every page must come back
// as they were, line breaks turned into "<var.br>", and export the same script before and after.
// The projects keep to what the file can hold: no speech is exactly "Null", no answer text is
// empty, and a linked answer's page id is a number of 0 or more (an unlinked one comes back with
// an empty page id).
#include "core/dialogs/ProjectFile.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/text/CodePage.h"
#include "support/TestSupport.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <array>
#include <gtest/gtest.h>

namespace {

struct Answer {
    QString text;
    bool linked = false;
    QString linkPage;
    bool ends = false;
};

struct Page {
    QString speech;
    QList<Answer> answers;
};

struct ProjectData {
    QString prefix;
    QString speaker;
    QList<Page> pages;
};

// Makes random texts from every corner of the code page: plain words, the file's own markers,
// line breaks of each kind, control characters, and (for UTF-8) any character at all.
class Generator {
public:
    Generator(quint32 seed, bool utf8) : m_random(seed), m_utf8(utf8) {}

    ProjectData project() {
        ProjectData data;
        data.prefix = text(0, 30);
        if (m_utf8 && chance(5))
            data.prefix.prepend(QChar(0xFEFF)); // looks like a byte-order mark at the file's start
        data.speaker = text(0, 30);
        const int pageCount = number(1, chance(10) ? 200 : 12);
        for (int n = 0; n < pageCount; ++n) {
            Page page;
            do
                page.speech = chance(5) ? QStringLiteral("Null\n") : text(0, 120);
            while (page.speech == QuestDialogs::placeholderText());
            const int answers = number(1, Dialog::MaxSelectionUBound + 1);
            for (int k = 0; k < answers; ++k)
                page.answers.append(answer(pageCount));
            data.pages.append(page);
        }
        return data;
    }

private:
    Answer answer(int pageCount) {
        Answer a;
        do
            a.text = text(1, 60);
        while (a.text.isEmpty());
        a.ends = chance(50);
        a.linked = chance(60);
        if (!a.linked) {
            a.linkPage = chance(50) ? QString() : text(0, 6); // never written, never read back
            return a;
        }
        const QString page = QString::number(number(0, pageCount + 3));
        const QStringList forms = {page,        " " + page + " ", "\t" + page, "+" + page,
                                   page + ".5", "000" + page,     "-0",        "99999999999999999999"};
        a.linkPage = forms[number(0, static_cast<int>(forms.size()) - 1)];
        return a;
    }

    QString text(int minLength, int maxLength) {
        QString out;
        const int length = number(minLength, maxLength);
        while (out.size() < length) {
            const int kind = number(0, 99);
            if (kind < 45)
                out += QChar(number(0x20, 0x7E));
            else if (kind < 53)
                out += pick({"PAGE ", "SELECTION ", "Null", "*[", "*/]", "<var.br>", "-1", "0", "1"});
            else if (kind < 61)
                out += pick({"\r\n", "\r", "\n", "\n\r", "\r\r\n"});
            else if (kind < 66)
                out += QChar(pick({0x00, 0x09, 0x0B, 0x0C, 0x1B, 0x7F}));
            else if (kind < 80 || !m_utf8)
                out += QChar(number(0x80, 0xFF));
            else if (kind < 93)
                out += bmpCharacter();
            else
                out +=
                    QString::fromUcs4(std::array{static_cast<char32_t>(number(0x10000, 0x10FFFF))}.data(), 1);
        }
        return out;
    }

    QChar bmpCharacter() {
        for (;;) {
            const char16_t c = static_cast<char16_t>(number(0x100, 0xFFFF));
            if (!QChar::isSurrogate(c)) // a lone surrogate is no character at all
                return QChar(c);
        }
    }

    int number(int low, int high) { return static_cast<int>(m_random.bounded(low, high + 1)); }
    bool chance(int percent) { return number(0, 99) < percent; }
    QString pick(std::initializer_list<const char *> choices) {
        return QString::fromLatin1(choices.begin()[number(0, static_cast<int>(choices.size()) - 1)]);
    }
    int pick(std::initializer_list<int> choices) {
        return choices.begin()[number(0, static_cast<int>(choices.size()) - 1)];
    }

    QRandomGenerator m_random;
    bool m_utf8;
};

void build(const ProjectData &data, QuestDialogs &project) {
    project.Clear();
    for (const Page &p : data.pages) {
        auto page = std::make_unique<Dialog>(p.speech);
        for (const Answer &a : p.answers) {
            auto answer = std::make_unique<Selection>();
            answer->Init(a.text, a.linked, a.linkPage, a.ends);
            ASSERT_TRUE(page->AddSelection(std::move(answer)));
        }
        ASSERT_TRUE(project.AddNewDialog(std::move(page)));
    }
}

// Each line break (CR LF, CR or LF) as "<var.br>".
QString joined(QString text) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return text.replace(lineBreak, QStringLiteral("<var.br>"));
}

// What the project must be after a save and an open.
ProjectData expectedBack(const ProjectData &data) {
    ProjectData out{joined(data.prefix), joined(data.speaker), {}};
    for (const Page &p : data.pages) {
        Page page{joined(p.speech), {}};
        for (const Answer &a : p.answers)
            page.answers.append({joined(a.text), a.linked, a.linked ? a.linkPage : QString(), a.ends});
        out.pages.append(page);
    }
    return out;
}

// The file's bytes as the format lays them out, in UTF-8 or Latin-1. A UTF-8 file whose prefix
// starts with U+FEFF carries one more mark in front, since reading drops the first.
QByteArray expectedFile(const ProjectData &back, bool utf8) {
    QString text = back.prefix + "\r\n" + back.speaker + "\r\n";
    for (qsizetype n = 0; n < back.pages.size(); ++n) {
        text += "PAGE " + QString::number(n) + "\r\n" + back.pages[n].speech + "\r\n";
        for (const Answer &a : back.pages[n].answers)
            text += "SELECTION " + a.text + "\r\n" + (a.linked ? a.linkPage : QStringLiteral("-1")) + "\r\n" +
                    (a.ends ? "1" : "0") + "\r\n";
    }
    text += "\r\n";
    if (utf8 && text.startsWith(QChar(0xFEFF)))
        text.prepend(QChar(0xFEFF));
    QStringEncoder encoder(utf8 ? QStringConverter::Utf8 : QStringConverter::Latin1);
    return encoder.encode(text);
}

QStringList lines(const QString &prefix, const QString &speaker, const QuestDialogs &project) {
    return QStringList{"prefix " + prefix, "speaker " + speaker} + TestSupport::pages(project);
}

QStringList lines(const ProjectData &data) {
    QuestDialogs project;
    build(data, project);
    return lines(data.prefix, data.speaker, project);
}

// Exports as "Export..." does: a non-empty speaker box goes into the project first.
QByteArray exported(QuestDialogs &project, const QString &prefix, const QString &speaker,
                    const QString &path) {
    if (!speaker.isEmpty())
        project.setSpeaker(speaker);
    QString reason;
    EXPECT_TRUE(project.DumpToFile(path, prefix, &reason)) << reason.toStdString();
    return TestSupport::readFile(path);
}

class RoundTrip : public ::testing::TestWithParam<QStringConverter::Encoding> {
protected:
    ~RoundTrip() override { CodePage::resetEncoding(); }
    bool utf8() const { return GetParam() == QStringConverter::Utf8; }
    QTemporaryDir dir;
};

} // namespace

TEST_P(RoundTrip, SaveThenOpenGivesBackTheProjectAndTheSameScript) {
    CodePage::setEncoding(GetParam());
    const QString saved = dir.filePath("saved.QDS");
    const QString again = dir.filePath("again.QDS");
    for (quint32 seed = 1; seed <= 150; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const ProjectData data = Generator(seed, utf8()).project();
        QuestDialogs original;
        build(data, original);

        QString reason;
        ASSERT_TRUE(ProjectFile::save(saved, data.prefix, data.speaker, original, &reason))
            << reason.toStdString();
        const QByteArray file = TestSupport::readFile(saved);
        const ProjectData back = expectedBack(data);
        EXPECT_EQ(file, expectedFile(back, utf8()));

        QuestDialogs opened;
        opened.Clear();
        const ProjectFile::ReadResult result = ProjectFile::read(saved, opened);
        ASSERT_EQ(result.status, ProjectFile::ReadResult::Ok);
        EXPECT_EQ(lines(result.prefix, result.speaker, opened), lines(back));

        // Saving what was opened writes the same bytes, and both export the same script.
        ASSERT_TRUE(ProjectFile::save(again, result.prefix, result.speaker, opened, &reason));
        EXPECT_EQ(TestSupport::readFile(again), file);
        EXPECT_EQ(exported(opened, result.prefix, result.speaker, dir.filePath("after.scp")),
                  exported(original, data.prefix, data.speaker, dir.filePath("before.scp")));
        if (::testing::Test::HasFailure())
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(CodePages, RoundTrip,
                         ::testing::Values(QStringConverter::Utf8, QStringConverter::Latin1),
                         [](const auto &info) {
                             return info.param == QStringConverter::Utf8 ? std::string("Utf8")
                                                                         : std::string("Latin1");
                         });
