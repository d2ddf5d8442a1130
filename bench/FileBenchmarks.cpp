// Export, save and open of the largest project, each against one plain write or read of
// the same bytes.

#include "Benchmarks.h"
#include "Fixtures.h"
#include "Names.h"

#include "core/dialogs/ProjectFile.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/text/TextFile.h"
#include "support/ProjectFixtures.h"

#include <QFile>

namespace {

constexpr int largest = QuestDialogs::MaxPages;

bool fixturesReady(benchmark::State &state) {
    if (BenchFixtures::instance().error().isEmpty())
        return true;
    state.SkipWithError(BenchFixtures::instance().error().toUtf8().constData());
    return false;
}

void runExport(benchmark::State &state) {
    auto &fixtures = BenchFixtures::instance();
    QuestDialogs &project = fixtures.project(largest);
    const qint64 size = fixtures.exportBytes(largest).size();
    const QString path = fixtures.path(QStringLiteral("export.scp"));
    if (!fixturesReady(state))
        return;
    for (auto _ : state) {
        if (project.DumpToFile(path, ProjectFixtures::prefix())) {
            state.SkipWithError("the export failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * size);
}

void runSave(benchmark::State &state) {
    auto &fixtures = BenchFixtures::instance();
    const QuestDialogs &project = fixtures.project(largest);
    const qint64 size = fixtures.projectFileBytes(largest).size();
    const QString path = fixtures.path(QStringLiteral("save.QDS"));
    if (!fixturesReady(state))
        return;
    for (auto _ : state) {
        if (ProjectFile::save(path, ProjectFixtures::prefix(), ProjectFixtures::speaker(), project)) {
            state.SkipWithError("the save failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * size);
}

// Only the reading is timed: clearing the previous round's pages is not part of it.
void runOpen(benchmark::State &state) {
    auto &fixtures = BenchFixtures::instance();
    const QString path = fixtures.projectFile(largest);
    const qint64 size = fixtures.projectFileBytes(largest).size();
    if (!fixturesReady(state))
        return;
    QuestDialogs project;
    for (auto _ : state) {
        project.Clear();
        const auto start = Clock::now();
        const Outcome<ProjectFile::Header> result = ProjectFile::read(path, project);
        state.SetIterationTime(secondsSince(start));
        if (!result.ok() || project.Count() != largest) {
            state.SkipWithError("the project did not come back whole");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * size);
}

void plainWrite(benchmark::State &state, const QByteArray &bytes, const QString &path) {
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
            state.SkipWithError("the plain write failed");
            break;
        }
        file.close();
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

// What the program's all-or-nothing replace of a file costs by itself, for the record.
void safeWrite(benchmark::State &state, const QByteArray &bytes, const QString &path) {
    for (auto _ : state) {
        if (TextFile::writeBytes(path, bytes)) {
            state.SkipWithError("the safe write failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void runSafeWriteExport(benchmark::State &state) {
    auto &fixtures = BenchFixtures::instance();
    const QByteArray bytes = fixtures.exportBytes(largest);
    if (fixturesReady(state))
        safeWrite(state, bytes, fixtures.path(QStringLiteral("safe.scp")));
}

void runSafeWriteProject(benchmark::State &state) {
    auto &fixtures = BenchFixtures::instance();
    const QByteArray bytes = fixtures.projectFileBytes(largest);
    if (fixturesReady(state))
        safeWrite(state, bytes, fixtures.path(QStringLiteral("safe.QDS")));
}

void runPlainWriteExport(benchmark::State &state) {
    auto &fixtures = BenchFixtures::instance();
    const QByteArray bytes = fixtures.exportBytes(largest);
    if (fixturesReady(state))
        plainWrite(state, bytes, fixtures.path(QStringLiteral("plain.scp")));
}

void runPlainWriteProject(benchmark::State &state) {
    auto &fixtures = BenchFixtures::instance();
    const QByteArray bytes = fixtures.projectFileBytes(largest);
    if (fixturesReady(state))
        plainWrite(state, bytes, fixtures.path(QStringLiteral("plain.QDS")));
}

void runPlainRead(benchmark::State &state) {
    auto &fixtures = BenchFixtures::instance();
    const QString path = fixtures.projectFile(largest);
    const qint64 size = fixtures.projectFileBytes(largest).size();
    if (!fixturesReady(state))
        return;
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("the plain read failed");
            break;
        }
        const QByteArray bytes = file.readAll();
        if (bytes.size() != size) {
            state.SkipWithError("the plain read came back short");
            break;
        }
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * size);
}

} // namespace

void registerFileBenchmarks() {
    namespace N = BenchNames;
    timed(benchmark::RegisterBenchmark(N::exportProject, runExport));
    timed(benchmark::RegisterBenchmark(N::plainWriteExport, runPlainWriteExport));
    timed(benchmark::RegisterBenchmark(N::saveProject, runSave));
    timed(benchmark::RegisterBenchmark(N::plainWriteProject, runPlainWriteProject));
    timed(benchmark::RegisterBenchmark(N::openProject, runOpen), Timing::Manual);
    timed(benchmark::RegisterBenchmark(N::plainReadProject, runPlainRead));
    timed(benchmark::RegisterBenchmark(N::safeWriteExport, runSafeWriteExport));
    timed(benchmark::RegisterBenchmark(N::safeWriteProject, runSafeWriteProject));
}
