// Start-up time of the editor: the built program started offscreen in a
// scratch start-up directory with its settings redirected there, quitting
// after the main window's first paint; timed from the start to its exit.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

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

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, scratch.c_str());
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data()) != 0) {
            state.SkipWithError("cannot start the editor");
            break;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the editor did not exit cleanly");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    fs::remove_all(scratch);
}
BENCHMARK(BM_StartupToFirstPaint)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5)
    ->Repetitions(5);

} // namespace

BENCHMARK_MAIN();
