#pragma once
// Running the tarvel-station executable from a test, drawing offscreen, its standard output and
// error kept in files. The destructor kills and reaps it if it still runs, so a failing test
// leaves nothing behind.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "sim_process.h"

namespace tarvel::e2e {

class StationProcess {
 public:
  // Starts the station with `args`; its output goes to out and err in `dir`.
  StationProcess(const std::vector<std::string>& args, const std::filesystem::path& dir)
      : out_path_(dir / "out"), err_path_(dir / "err") {
    std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen"};
    for (char** e = environ; *e != nullptr; ++e) {
      if (std::string(*e).rfind("QT_QPA_PLATFORM=", 0) != 0) env.emplace_back(*e);
    }
    std::vector<char*> envp;
    for (std::string& e : env)
      envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<char*> argv = {const_cast<char*>(TARVEL_STATION_PATH)};
    for (const std::string& a : args)
      argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out_path_.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err_path_.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (posix_spawn(&pid_, TARVEL_STATION_PATH, &actions, nullptr, argv.data(), envp.data()) != 0)
      pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  StationProcess(const StationProcess&) = delete;
  StationProcess& operator=(const StationProcess&) = delete;
  ~StationProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

  pid_t pid() const { return pid_; }
  std::string Out() const { return ReadText(out_path_); }
  std::string Err() const { return ReadText(err_path_); }

  // Waits up to `timeout` for the end; the exit code if it exited normally. A process still
  // running at the deadline is killed, and so is not a normal exit.
  std::optional<int> Wait(std::chrono::seconds timeout) {
    if (pid_ <= 0) return std::nullopt;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return std::nullopt;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    pid_ = -1;
    if (!WIFEXITED(status)) return std::nullopt;
    return WEXITSTATUS(status);
  }

  // Sends `sig`, then as Wait.
  std::optional<int> Stop(int sig, std::chrono::seconds timeout) {
    if (pid_ > 0) kill(pid_, sig);
    return Wait(timeout);
  }

  // Whether the process holds `device` open (one of its descriptors leads to that file).
  bool HasOpen(const std::filesystem::path& device) const {
    std::error_code ec;
    const auto target = std::filesystem::canonical(device, ec);
    if (ec || pid_ <= 0) return false;
    const std::filesystem::path fds = "/proc/" + std::to_string(pid_) + "/fd";
    for (const auto& entry : std::filesystem::directory_iterator(fds, ec)) {
      std::error_code link_ec;
      if (std::filesystem::read_symlink(entry.path(), link_ec) == target) return true;
    }
    return false;
  }

 private:
  std::filesystem::path out_path_, err_path_;
  pid_t pid_ = -1;
};

}  // namespace tarvel::e2e
