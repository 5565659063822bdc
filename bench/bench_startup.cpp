// Start-up time of the editor: the built program started offscreen in a
// scratch start-up directory with its settings redirected there; timed from
// the start until it reports the main window's first paint on its standard
// output (it quits then; its exit is not timed).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

// Environment of the child: this one's, with the platform, the settings
// folder and the quit-after-paint switch set.
std::vector<std::string> ChildEnvironment(const std::string& scratch) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.rfind("QT_QPA_PLATFORM=", 0) == 0 || entry.rfind("XDG_CONFIG_HOME=", 0) == 0)
            continue;
        env.push_back(entry);
    }
    env.push_back("QT_QPA_PLATFORM=offscreen");
    env.push_back("XDG_CONFIG_HOME=" + scratch);
    env.push_back("QUORVANDELIX_EXIT_AFTER_FIRST_PAINT=1");
    return env;
}

void BM_StartupToFirstPaint(benchmark::State& state) {
    namespace fs = std::filesystem;
    const fs::path scratch =
        fs::temp_directory_path() / ("qv_bench_startup_" + std::to_string(getpid()));
    fs::create_directories(scratch);
    std::vector<std::string> env = ChildEnvironment(scratch.string());
    std::vector<char*> envp;
    for (std::string& entry : env)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string program = QV_EDITOR_PATH;
    char* argv[] = {program.data(), nullptr};

    for (auto _ : state) {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0) {
            state.SkipWithError("no pipe");
            break;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, scratch.c_str());
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
        const auto start = std::chrono::steady_clock::now();
        pid_t pid = 0;
        const int spawned =
            posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
        posix_spawn_file_actions_destroy(&actions);
        close(pipeEnds[1]);
        if (spawned != 0) {
            close(pipeEnds[0]);
            state.SkipWithError("cannot start the editor");
            break;
        }
        // The first byte of the report line marks the first paint.
        char first = 0;
        const bool painted = read(pipeEnds[0], &first, 1) == 1;
        const auto paintedAt = std::chrono::steady_clock::now();
        char rest[64];
        while (read(pipeEnds[0], rest, sizeof rest) > 0) {
        }
        close(pipeEnds[0]);
        int status = 0;
        waitpid(pid, &status, 0);
        if (!painted || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the editor did not report its first paint and exit cleanly");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(paintedAt - start).count());
    }
    fs::remove_all(scratch);
}
BENCHMARK(BM_StartupToFirstPaint)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5)
    ->Repetitions(5);

} // namespace

BENCHMARK_MAIN();
