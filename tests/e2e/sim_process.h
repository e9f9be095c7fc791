#pragma once
// Running the tarvel-sim executable from a test.

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace tarvel::e2e {

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh directory under /tmp, removed with everything in it at the end of the scope.
struct TempDir {
  TempDir() {
    char pattern[] = "/tmp/tarvel-e2e-XXXXXX";
    if (mkdtemp(pattern) != nullptr) path = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    if (!path.empty()) std::filesystem::remove_all(path, ignored);
  }
  std::filesystem::path path;
};

struct RunResult {
  int exit_code = -1;  // -1: did not exit normally
  std::string out, err;
};

// Runs tarvel-sim with `args` (no quotes in them) to its end.
inline RunResult RunSim(const std::vector<std::string>& args) {
  TempDir dir;
  std::string command = "'" TARVEL_SIM_PATH "'";
  for (const std::string& a : args)
    command += " '" + a + "'";
  command += " >'" + (dir.path / "out").string() + "' 2>'" + (dir.path / "err").string() + "'";
  const int status = std::system(command.c_str());
  RunResult r;
  if (status != -1 && WIFEXITED(status)) r.exit_code = WEXITSTATUS(status);
  r.out = ReadText(dir.path / "out");
  r.err = ReadText(dir.path / "err");
  return r;
}

// tarvel-sim serving a pseudo-terminal, its standard output on a pipe. The destructor kills and
// reaps it if it still runs, so a failing test leaves nothing behind.
class SimProcess {
 public:
  explicit SimProcess(const std::vector<std::string>& args) {
    int out[2];
    if (pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<char*> argv = {const_cast<char*>(TARVEL_SIM_PATH)};
    for (const std::string& a : args)
      argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, TARVEL_SIM_PATH, &actions, nullptr, argv.data(), environ) != 0)
      pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    out_ = fdopen(out[0], "r");
  }
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;
  ~SimProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (out_ != nullptr) fclose(out_);
  }

  pid_t pid() const { return pid_; }

  // The first line of standard output, without the newline (the device path). Blocks until
  // it comes or the program ends.
  std::string ReadLine() {
    char line[512];
    if (pid_ <= 0 || out_ == nullptr || fgets(line, sizeof line, out_) == nullptr) return {};
    std::string text = line;
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
  }

  // Sends `sig` and waits up to `timeout` for the end; the exit code if it exited normally.
  std::optional<int> Stop(int sig, std::chrono::seconds timeout) {
    if (pid_ <= 0) return std::nullopt;
    kill(pid_, sig);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) return std::nullopt;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    pid_ = -1;
    if (!WIFEXITED(status)) return std::nullopt;
    return WEXITSTATUS(status);
  }

 private:
  pid_t pid_ = -1;
  FILE* out_ = nullptr;
};

}  // namespace tarvel::e2e
