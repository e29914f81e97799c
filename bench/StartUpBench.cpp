#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

// Start-up of the real game, from process start to the first painted play
// window, on the offscreen platform with a fresh store each time (the
// heaviest start: the store is created and every puzzle written). The peak
// memory of the game process is reported as a counter.
namespace {

QString GameExecutable()
{
    const QString given = qEnvironmentVariable("KOLMIRA_EXE");
    if (!given.isEmpty()) {
        return given;
    }
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../kolmira"));
}

void BM_StartUpToFirstPaint(benchmark::State& state)
{
    const QString exe = GameExecutable();
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir config;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        env.insert(QStringLiteral("KOLMIRA_QUIT_AFTER_FIRST_PAINT"), QStringLiteral("1"));
        if (!env.contains(QStringLiteral("QT_QPA_PLATFORM"))) {
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        }
        QProcess game;
        game.setProcessEnvironment(env);
        game.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        state.ResumeTiming();
        game.start(exe, {});
        if (!game.waitForFinished(30000) || game.exitCode() != 0) {
            state.SkipWithError("the game did not start and quit cleanly");
            break;
        }
    }
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    // Linux reports kilobytes: the largest child so far.
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

} // namespace

BENCHMARK(BM_StartUpToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(15)->Repetitions(3)
    ->ReportAggregatesOnly(true)->UseRealTime();
