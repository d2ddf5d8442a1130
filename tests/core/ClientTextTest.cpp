// What the game client receives of a dialog's text line: the cases of fixtures/client-text, the
// client's limit, another code page, and the values a support script sets.
#include "core/dialogs/ClientText.h"
#include "core/text/CodePage.h"
#include "support/TestSupport.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {
QString unescaped(QString text) {
    static const QRegularExpression escape(QStringLiteral("\\\\u([0-9a-fA-F]{4})|\\\\U([0-9a-fA-F]{8})"));
    for (QRegularExpressionMatch m = escape.match(text); m.hasMatch(); m = escape.match(text)) {
        const char32_t c = (m.captured(1) + m.captured(2)).toUInt(nullptr, 16);
        text.replace(m.capturedStart(), m.capturedLength(), QString::fromUcs4(&c, 1));
    }
    return text.replace(QStringLiteral("\\t"), QStringLiteral("\t"));
}

QString received(const QString &line, const SupportValues &values = {}) {
    const ReceivedText r = ReceivedText::of(line, values);
    QStringList dropped;
    for (const qsizetype at : r.dropped)
        dropped << QString::number(at);
    return r.text +
           (r.cut == ReceivedText::AtLimit      ? " | cut"
            : r.cut == ReceivedText::Unreadable ? " | unreadable"
                                                : "") +
           (dropped.isEmpty() ? QString() : " | dropped " + dropped.join(", "));
}
} // namespace

TEST(ReceivedText, FixtureLinesArriveAsTheServerSendsThem) {
    const QStringList lines =
        QString::fromUtf8(TestSupport::readFile(RUNEQUILL_FIXTURES "/client-text/utf-8.txt")).split(u'\n');
    int cases = 0;
    for (const QString &line : lines) {
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        ++cases;
        EXPECT_EQ(received(unescaped(line.section(" => ", 0, 0))), unescaped(line.section(" => ", 1)))
            << line.toStdString();
    }
    EXPECT_GE(cases, 8);
}

TEST(ReceivedText, TheClientTakes2047CharactersAndAnotherCodePageStopsTheServer) {
    EXPECT_EQ(received(QString(2047, u'a')), QString(2047, u'a'));
    EXPECT_EQ(received(QString(2048, u'a')), QString(2047, u'a') + " | cut");
    TestSupport::CodePageGuard guard;
    CodePage::setEncoding(QStringConverter::Latin1);
    EXPECT_EQ(received(QStringLiteral("caf\u00e9 au lait")), "caf | unreadable");
}

TEST(SupportValues, ReadFromTheWorldVariablesOfASupportScript) {
    const SupportValues values =
        SupportValues::fromScript(u"[WORLDVARS]\r\nbr=<br>\r\nVAR.Bfont_Red = \"<basefont color=#00ff00>\" "
                                  u"// green\r\n\r\n[FUNCTION f]\r\nx=1\r\n");
    EXPECT_EQ(received("<var.br><var.bfont_red>!<var.bfont_lgrey><var.x>", values),
              "<br><basefont color=#00ff00>!");
    const QTemporaryDir none;
    EXPECT_EQ(SupportValues::inFolder(none.path()).value(u"bfont_red"), "<basefont color=#ff0000>");
    EXPECT_TRUE(SupportValues::inFolder(none.path()).file().isEmpty());
}
