// Files that come from anywhere: other editors, other machines, damaged disks. Each one is opened
// from disk as "Open..." reads it and must end in the pages the reading rules give, or in the
// damaged-file result, never in a crash.
#include "core/dialogs/ProjectFile.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/text/CodePage.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string_view>
#include <sys/resource.h>

using namespace std::string_view_literals;

namespace {

using Status = ProjectFile::ReadResult::Status;

// A project that "Open..." has cleared, and a folder for the files handed to it.
class HostileFiles : public ::testing::Test {
protected:
    ProjectFile::ReadResult open(QByteArrayView bytes) {
        const QString path = dir.filePath("hostile.QDS");
        if (!TestSupport::writeFile(path, bytes.toByteArray()))
            ADD_FAILURE() << "cannot write the test file";
        project.Clear();
        return ProjectFile::read(path, project);
    }

    QStringList pages() const { return TestSupport::pages(project); }

    static QStringList cleared() { return {"0:Null", "  |0||1"}; }

    QTemporaryDir dir;
    QuestDialogs project;
};

struct CodePageGuard {
    ~CodePageGuard() { CodePage::resetEncoding(); }
};

// The process's peak memory so far, in bytes. Where a test reads a file in a process of its
// own, as under ctest, the growth of the peak is what the read took.
qint64 peakMemory() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_maxrss) * 1024;
}

// More than a project of 32767 small pages takes, far less than the page-spamming files below
// would take if they were held whole. AddressSanitizer's quarantine and red zones take memory of
// their own, which no such bound fits.
#if defined(__SANITIZE_ADDRESS__)
#define UNDER_ADDRESS_SANITIZER
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define UNDER_ADDRESS_SANITIZER
#endif
#endif
#ifdef UNDER_ADDRESS_SANITIZER
constexpr qint64 MemoryBound = qint64(1) << 40;
#else
constexpr qint64 MemoryBound = 64 << 20;
#endif

} // namespace

TEST_F(HostileFiles, FilesTooShortForTheHeaderAreDamaged) {
    // A file of nothing but a byte-order mark is as empty as an empty one.
    for (const QByteArrayView empty : {""sv, "\xef\xbb\xbf"sv}) {
        const auto result = open(empty);
        EXPECT_EQ(result.status, Status::Damaged);
        EXPECT_FALSE(result.hasPrefix);
        EXPECT_EQ(pages(), cleared());
    }
    ProjectFile::ReadResult result;

    for (const QByteArrayView oneLine : {"prefix only"sv, "prefix only\r\n"sv, "prefix only\n"sv}) {
        result = open(oneLine);
        EXPECT_EQ(result.status, Status::Damaged) << oneLine.data();
        EXPECT_EQ(result.prefix, QStringLiteral("prefix only"));
        EXPECT_FALSE(result.hasSpeaker);
        EXPECT_EQ(pages(), cleared());
    }
}

TEST_F(HostileFiles, EveryKindOfLineEnd) {
    // Only CRs, or only LFs: empty header lines, no page records.
    for (const QByteArrayView ends : {"\r\r\r\r"sv, "\n\n\n\n"sv, "\r\n\r\n"sv}) {
        const auto result = open(ends);
        EXPECT_EQ(result.status, Status::Ok);
        EXPECT_TRUE(result.hasSpeaker);
        EXPECT_EQ(result.prefix, QString());
        EXPECT_EQ(result.speaker, QString());
        EXPECT_EQ(pages(), cleared());
    }

    // Lone CRs end lines as CR LF does.
    auto result = open("p\rs\rPAGE 0\rx\r\nSELECTION a\r2\r\n0\r");
    EXPECT_EQ(result.status, Status::Ok);
    EXPECT_EQ(pages(), QStringList({"0:x", "  a|1|2|0"}));

    // Where the file has CRs, a lone LF belongs to its line, even when a record follows it.
    result = open("p\r\ns\r\nPAGE 0\r\nspeech\nPAGE 1\r\nSELECTION a\nb\r\n-1\r\n1\r\n");
    EXPECT_EQ(result.status, Status::Ok);
    EXPECT_EQ(pages(), QStringList({"0:speech\nPAGE 1", "  a\nb|0||1"}));

    // A page line that swallows its speech through a lone LF is a page line at the end of the file.
    result = open("p\r\ns\r\nPAGE 0\nspeech\r\n");
    EXPECT_EQ(result.status, Status::Damaged);
    EXPECT_EQ(pages(), cleared());
    result = open("p\r\ns\r\nPAGE 0\r\nfirst\r\nPAGE 1\nlast");
    EXPECT_EQ(result.status, Status::Damaged);
    EXPECT_EQ(pages(), QStringList({"0:first", "  |0||1"}));
}

TEST_F(HostileFiles, FileWithOnlyLineFeedsReadsLikeTheSavedOne) {
    const QByteArray crlf = TestSupport::crlfLines({"d_guard", "Guard", "PAGE 0", "Halt!", "SELECTION Friend",
                                                    "1", "0", "SELECTION Foe", "-1", "1", "PAGE 1",
                                                    "Welcome.", "SELECTION Thanks", "-1", "1", ""});
    auto result = open(crlf);
    ASSERT_EQ(result.status, Status::Ok);
    const QStringList saved = pages();
    EXPECT_EQ(saved, QStringList({"0:Halt!", "  Friend|1|1|0", "  Foe|0||1", "1:Welcome.", "  Thanks|0||1"}));

    QByteArray lf = crlf;
    lf.replace("\r\n", "\n");
    result = open(lf);
    EXPECT_EQ(result.status, Status::Ok);
    EXPECT_EQ(result.prefix, QStringLiteral("d_guard"));
    EXPECT_EQ(result.speaker, QStringLiteral("Guard"));
    EXPECT_EQ(pages(), saved);
    lf.chop(2); // no line end after the last line, as some editors leave it
    EXPECT_EQ(open(lf).status, Status::Ok);
    EXPECT_EQ(pages(), saved);
}

TEST_F(HostileFiles, NulBytesAreKeptInsideTheirText) {
    const auto result = open("p\0q\r\ns\0\r\nPAGE 0\r\nsp\0eech\r\nSELECTION \0\r\n0\r\n1\r\n"sv);
    EXPECT_EQ(result.status, Status::Ok);
    EXPECT_EQ(result.prefix, QString::fromUtf16(u"p\0q", 3));
    EXPECT_EQ(result.speaker, QString::fromUtf16(u"s\0", 2));
    EXPECT_EQ(pages(),
              QStringList({QString::fromUtf16(u"0:sp\0eech", 9), QString::fromUtf16(u"  \0|1|0|1", 9)}));
}

TEST_F(HostileFiles, BytesTheCodePageCannotReadComeInAsWindows1252) {
    CodePage::setEncoding(QStringConverter::Utf8);
    CodePageGuard guard;
    // 0x81 and 0x8D have no Windows-1252 character: they come in as the control codes of
    // the same number, so that nothing is lost.
    auto result =
        open("caf\xe9\r\n\x80\x81\x8d \xff\r\nPAGE 0\r\n\xc3\xa9\r\nSELECTION \x96\r\n-1\r\n1\r\n"sv);
    EXPECT_EQ(result.status, Status::Ok);
    EXPECT_EQ(result.prefix, QStringLiteral("caf\u00e9"));
    EXPECT_EQ(result.speaker, QStringLiteral("\u20ac\u0081\u008d \u00ff"));
    EXPECT_EQ(pages(), QStringList({"0:\u00c3\u00a9", "  \u2013|0||1"}))
        << "one code page for the whole file";

    // A UTF-16 file, as some editors save, is read as 8-bit text: nothing in it is a record.
    result = open("\xff\xfep\0\r\0\n\0s\0\r\0\n\0P\0A\0G\0E\0 \0000\0\r\0\n\0"sv);
    EXPECT_EQ(result.status, Status::Ok);
    EXPECT_EQ(pages(), cleared());
}

TEST_F(HostileFiles, ByteOrderMarks) {
    CodePage::setEncoding(QStringConverter::Utf8);
    CodePageGuard guard;
    // A mark that an editor put in front of the file is not part of the prefix.
    auto result = open("\xef\xbb\xbfprefix\r\nspeaker\r\n");
    EXPECT_EQ(result.status, Status::Ok);
    EXPECT_EQ(result.prefix, QStringLiteral("prefix"));

    // A prefix that starts with U+FEFF is saved after one more mark, and so comes back whole.
    const QString prefix = QStringLiteral("\ufeffprefix");
    const QString path = dir.filePath("marked.QDS");
    ASSERT_TRUE(ProjectFile::save(path, prefix, "speaker", project));
    EXPECT_TRUE(TestSupport::readFile(path).startsWith("\xef\xbb\xbf\xef\xbb\xbfprefix\r\nspeaker\r\n"));
    result = ProjectFile::read(path, project);
    EXPECT_EQ(result.status, Status::Ok);
    EXPECT_EQ(result.prefix, prefix);
}

// Every input the fuzzer was seeded with or found a fault with reads the same from the file as
// from its text, and what was read comes back unchanged from a save and a second open.
TEST_F(HostileFiles, FuzzerCorpus) {
    const QDir corpus(QStringLiteral(RUNEQUILL_FIXTURES "/corpus"));
    const QStringList inputs = corpus.entryList(QDir::Files);
    ASSERT_GE(inputs.size(), 10);
    for (const QString &input : inputs) {
        SCOPED_TRACE(input.toStdString());
        const QByteArray bytes = TestSupport::readFile(corpus.filePath(input));
        const auto read = open(bytes);
        const QStringList opened = pages();
        QuestDialogs fromText;
        fromText.Clear();
        const auto parsed = ProjectFile::parse(CodePage::decode(bytes), fromText);
        EXPECT_EQ(read.status, parsed.status);
        EXPECT_EQ(read.hasPrefix, parsed.hasPrefix);
        EXPECT_EQ(read.prefix, parsed.prefix);
        EXPECT_EQ(read.speaker, parsed.speaker);
        if (read.status == Status::TooManyPages)
            continue;

        const QString saved = dir.filePath("saved.QDS");
        ASSERT_TRUE(ProjectFile::save(saved, read.prefix, read.speaker, project));
        const QByteArray first = TestSupport::readFile(saved);
        project.Clear();
        const auto reread = ProjectFile::read(saved, project);
        EXPECT_EQ(reread.status, Status::Ok);
        QStringList expected = opened; // line breaks inside texts come back as "<var.br>"
        for (QString &line : expected)
            line.replace(QRegularExpression(QStringLiteral("\r\n|\r|\n")), QStringLiteral("<var.br>"));
        EXPECT_EQ(pages(), expected);
        ASSERT_TRUE(ProjectFile::save(saved, reread.prefix, reread.speaker, project));
        EXPECT_EQ(TestSupport::readFile(saved), first);
    }
}

TEST_F(HostileFiles, AHundredMegabyteLine) {
    const qsizetype size = 100'000'000;
    QByteArray line(size, 'a');
    auto result = open(line);
    EXPECT_EQ(result.status, Status::Damaged);
    EXPECT_EQ(result.prefix.size(), size);

    // The same line as a speech, then as an answer text.
    line = "p\r\ns\r\nPAGE 0\r\n" + line + "\r\nSELECTION " + line + "\r\n-1\r\n1\r\n";
    result = open(line);
    ASSERT_EQ(result.status, Status::Ok);
    EXPECT_EQ(project.Dialog(0).text().size(), size);
    EXPECT_EQ(project.Dialog(0).Selection(0).text().size(), size);
}

TEST_F(HostileFiles, AMillionPageLinesAreMorePagesThanAProjectHolds) {
    const int lines = 1'000'000;
    QByteArray file;
    file.reserve(lines * 8);
    for (int i = 0; i < lines; ++i)
        file += "PAGE 0\r\n";
    // The first two lines are the header; each page record then takes two lines.
    const qint64 before = peakMemory();
    auto result = open(file);
    EXPECT_EQ(result.status, Status::TooManyPages);
    EXPECT_FALSE(result.reason.isEmpty());
    EXPECT_FALSE(result.hasPrefix) << "a refused file sets nothing";
    EXPECT_EQ(pages(), cleared());
    EXPECT_LT(peakMemory() - before, MemoryBound) << "the pages past the limit are not read into memory";

    // Placeholder pages all fill the same slot, so any number of them fits.
    file = "p\r\ns\r\n";
    for (int i = 0; i < 400'000; ++i)
        file += "PAGE 0\r\nNull\r\n";
    result = open(file + "PAGE 1\r\nlast\r\n");
    EXPECT_EQ(result.status, Status::Ok);
    EXPECT_EQ(pages(), QStringList({"0:last", "  |0||1"}));
    EXPECT_LT(peakMemory() - before, MemoryBound) << "pages that give up their slot are not kept";
}

TEST_F(HostileFiles, OnePageMoreThanAProjectHolds) {
    QByteArray file = "p\r\ns\r\n";
    for (int n = 0; n < QuestDialogs::MaxPages; ++n)
        file += "PAGE " + QByteArray::number(n) + "\r\nspeech\r\nSELECTION a\r\n0\r\n1\r\n";
    auto result = open(file);
    ASSERT_EQ(result.status, Status::Ok);
    EXPECT_EQ(project.Count(), QuestDialogs::MaxPages);

    result = open(file + "PAGE 32767\r\none too many\r\n");
    EXPECT_EQ(result.status, Status::TooManyPages);
    EXPECT_TRUE(result.reason.contains(QString::number(QuestDialogs::MaxPages)))
        << result.reason.toStdString();
    EXPECT_EQ(pages(), cleared());
}

TEST_F(HostileFiles, AnswerRecordsCutOffAtTheEnd) {
    const QByteArray head = TestSupport::crlfLines({"p", "s", "PAGE 0", "kept", "SELECTION ok", "1", "0",
                                                    "PAGE 1", "second", "SELECTION whole", "-1", "1"});
    for (const QByteArrayView tail : {"SELECTION cut"sv, "SELECTION cut\r\n"sv, "SELECTION cut\r\n1"sv,
                                      "SELECTION cut\r\n1\r\n"sv, "SELECTION cut\r\n1\r"sv}) {
        const auto result = open(head + tail.toByteArray());
        EXPECT_EQ(result.status, Status::Damaged) << tail.data();
        EXPECT_EQ(result.speaker, QStringLiteral("s"));
        EXPECT_EQ(pages(), QStringList({"0:kept", "  ok|1|1|0"}))
            << "the cut page is dropped, earlier ones kept";
    }
    // The end line may be the file's last line without a line end.
    const auto result = open(head + "SELECTION whole too\r\n-1\r\n0");
    EXPECT_EQ(result.status, Status::Ok);
    EXPECT_EQ(pages(), QStringList({"0:kept", "  ok|1|1|0", "1:second", "  whole|0||1", "  whole too|0||0"}));
}

TEST_F(HostileFiles, LinkLinesThatAreNumbersOnlyAtAGlance) {
    const auto withLink = [](const char *link) {
        return "p\r\ns\r\nPAGE 0\r\nx\r\nSELECTION a\r\n" + QByteArray(link) + "\r\n1\r\n";
    };
    // Not decimal numbers: the file is damaged there.
    for (const char *link : {"1e9", "0x1", "", " ", "3a", "--1", "1.2.3", "\xef\xbc\x93"}) {
        EXPECT_EQ(open(withLink(link)).status, Status::Damaged) << link;
        EXPECT_EQ(pages(), cleared()) << link;
    }
    // Numbers of 0 or more link, kept verbatim; "-0" is zero.
    for (const char *link : {" 3 ", "-0", "99999999999999999999", "+2", "2.5", "\t4\t", "0000"}) {
        EXPECT_EQ(open(withLink(link)).status, Status::Ok) << link;
        EXPECT_EQ(pages(), QStringList({"0:x", QStringLiteral("  a|1|%1|1").arg(link)})) << link;
    }
    for (const char *link : {"-1", "-0.5", "-99999999999999999999"}) {
        EXPECT_EQ(open(withLink(link)).status, Status::Ok) << link;
        EXPECT_EQ(pages(), QStringList({"0:x", "  a|0||1"})) << link;
    }
}
