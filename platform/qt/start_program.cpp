#include "platform/qt/start_program.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace platform::qt {
namespace {

// Between fork and exec only async-signal-safe calls are made: the other threads of this
// program may hold any lock.

// Closes the descriptors from `first` to `last`, both included.
void closeDescriptors(int first, int last) {
  if (first > last) return;
  if (close_range(static_cast<unsigned>(first), static_cast<unsigned>(last), 0) == 0) return;
  for (int fd = first; fd <= last; ++fd) close(fd);
}

// Tells the waiting parent why the start failed, and ends this child.
[[noreturn]] void reportFailure(int reportFd) {
  const int error = errno;
  [[maybe_unused]] const ssize_t written = write(reportFd, &error, sizeof error);
  _exit(127);
}

int highestDescriptor() {
  rlimit limit{};
  if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return 65535;
  return static_cast<int>(std::min<rlim_t>(limit.rlim_cur, 1 << 20)) - 1;
}

// The started program: the folder, a clean signal mask, only the standard descriptors (and the
// report pipe, which closes itself at exec), then the executable.
[[noreturn]] void becomeProgram(const char* path, const char* folder, int reportFd, int lastFd) {
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  signal(SIGPIPE, SIG_DFL);
  if (chdir(folder) != 0) reportFailure(reportFd);
  closeDescriptors(STDERR_FILENO + 1, reportFd - 1);
  closeDescriptors(std::max(reportFd + 1, STDERR_FILENO + 1), lastFd);
  char* const argv[] = {const_cast<char*>(path), nullptr};
  execv(path, argv);
  reportFailure(reportFd);
}

}  // namespace

bool startDetachedProgram(const std::string& path, const std::string& workingFolder) {
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return false;
  const int lastFd = highestDescriptor();
  const pid_t child = fork();
  if (child < 0) {
    close(report[0]);
    close(report[1]);
    return false;
  }
  if (child == 0) {
    // The child only makes the program an orphan in a session of its own and ends.
    close(report[0]);
    setsid();
    const pid_t program = fork();
    if (program < 0) reportFailure(report[1]);
    if (program > 0) _exit(0);
    becomeProgram(path.c_str(), workingFolder.c_str(), report[1], lastFd);
  }
  close(report[1]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  // The pipe closes without a word once the program's exec has succeeded.
  int error = 0;
  ssize_t got = 0;
  do {
    got = read(report[0], &error, sizeof error);
  } while (got < 0 && errno == EINTR);
  close(report[0]);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 && got == 0;
}

}  // namespace platform::qt
