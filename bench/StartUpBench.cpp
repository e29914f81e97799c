#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

// Start-up of the real game next to an empty Qt main window of the same size,
// measured the same way in the same run: each program is started with a fresh
// config folder (so the game creates its store, its heaviest start), reports
// the moment its window is first painted (see platform/FirstPaintProbe.h) and
// quits. Start-up is the time from just before the spawn to that moment on
// the monotonic clock; peak memory is the child's own peak resident set
// (wait4's ru_maxrss). The two programs take turns, so drift in the machine's
// load touches both alike; the counters are medians over the iterations.
namespace {

struct Launch {
    double startUpMs = 0;
    double peakMB = 0;
};

QString SiblingExecutable(const char* variable, const QString& fallback)
{
    const QString given = qEnvironmentVariable(variable);
    return given.isEmpty() ? QDir(QCoreApplication::applicationDirPath()).filePath(fallback) : given;
}

// Runs the program once; false when it did not report a paint and quit cleanly.
bool RunOnce(const std::string& exe, Launch& result)
{
    QTemporaryDir config;
    // Both programs see the same environment: the caller's, with a fresh
    // config folder and, when a display is given for start-ups, that X
    // display in place of the offscreen platform.
    const QByteArray display = qgetenv("KOLMIRA_STARTUP_DISPLAY");
    std::vector<std::string> env = {"XDG_CONFIG_HOME=" + config.path().toStdString(),
                                    "KOLMIRA_QUIT_AFTER_FIRST_PAINT=1"};
    if (!display.isEmpty()) {
        env.push_back("DISPLAY=" + display.toStdString());
        env.emplace_back("QT_QPA_PLATFORM=xcb");
    } else if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        env.emplace_back("QT_QPA_PLATFORM=offscreen");
    }
    const auto replaced = [&env, &display](const char* entry) {
        const char* eq = std::strchr(entry, '=');
        const std::size_t nameLength = eq ? static_cast<std::size_t>(eq - entry) + 1 : 0;
        return std::any_of(env.begin(), env.end(), [&](const std::string& e) {
            return e.compare(0, e.find('=') + 1, entry, nameLength) == 0;
        }) || (!display.isEmpty() && std::strncmp(entry, "QT_QPA_", 7) == 0);
    };
    for (char** e = environ; *e; ++e) {
        if (!replaced(*e)) {
            env.emplace_back(*e);
        }
    }
    std::vector<char*> envp;
    for (std::string& e : env) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);
    std::string program = exe;
    char* argv[] = {program.data(), nullptr};

    int out[2];
    if (pipe(out) != 0) {
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return false;
    }
    std::string output;
    char chunk[256];
    for (ssize_t n; (n = read(out[0], chunk, sizeof chunk)) > 0;) {
        output.append(chunk, static_cast<std::size_t>(n));
    }
    close(out[0]);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return false;
    }
    long long paintedNs = 0;
    const std::size_t at = output.find("first-paint ");
    if (at == std::string::npos || std::sscanf(output.c_str() + at, "first-paint %lld", &paintedNs) != 1) {
        return false;
    }
    const auto startNs = std::chrono::duration_cast<std::chrono::nanoseconds>(
                             start.time_since_epoch()).count();
    constexpr double kNsPerMs = 1e6;
    constexpr double kKiBPerMiB = 1024.0; // Linux reports ru_maxrss in KiB
    result.startUpMs = static_cast<double>(paintedNs - startNs) / kNsPerMs;
    result.peakMB = static_cast<double>(usage.ru_maxrss) / kKiBPerMiB;
    return true;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : (n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2);
}

void BM_StartUpToFirstPaint(benchmark::State& state)
{
    const std::string game =
        SiblingExecutable("KOLMIRA_EXE", QStringLiteral("../kolmira")).toStdString();
    const std::string reference =
        SiblingExecutable("KOLMIRA_REFERENCE_EXE", QStringLiteral("kolmira_empty_window"))
            .toStdString();
    std::vector<double> gameMs, gameMB, referenceMs, referenceMB;
    bool referenceFirst = true;
    for (auto _ : state) {
        Launch ours;
        Launch bare;
        const bool ok = referenceFirst ? RunOnce(reference, bare) && RunOnce(game, ours)
                                       : RunOnce(game, ours) && RunOnce(reference, bare);
        if (!ok) {
            state.SkipWithError("the game or the empty window did not start and quit cleanly");
            break;
        }
        referenceFirst = !referenceFirst;
        state.SetIterationTime(ours.startUpMs / 1e3);
        gameMs.push_back(ours.startUpMs);
        gameMB.push_back(ours.peakMB);
        referenceMs.push_back(bare.startUpMs);
        referenceMB.push_back(bare.peakMB);
    }
    state.counters["startup_ms"] = Median(gameMs);
    state.counters["peak_MB"] = Median(gameMB);
    state.counters["reference_ms"] = Median(referenceMs);
    state.counters["reference_peak_MB"] = Median(referenceMB);
}

} // namespace

BENCHMARK(BM_StartUpToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(15)->Repetitions(3)
    ->ReportAggregatesOnly(true)->UseManualTime();
