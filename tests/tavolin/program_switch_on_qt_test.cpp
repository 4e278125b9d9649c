#include <poll.h>
#include <signal.h>
#include <unistd.h>

// This C library's header leaves out the C linkage.
extern "C" {
#include <sys/pidfd.h>
}

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "sorandel/main_window.h"
#include "sorandel/program.h"
#include "tavolin/compact_window.h"
#include "tavolin/program.h"
#include "tests/qt/qt_driver.h"
#include "tests/support/program_folder.h"
#include "tests/tavolin/both_programs.h"

namespace {

namespace fs = std::filesystem;

// The pipes and sockets a process holds besides its standard input, output and error, by the
// kernel's name for each ("pipe:[4711]").
std::set<std::string> pipesAndSockets(const std::string& pid) {
  std::set<std::string> held;
  std::error_code error;
  for (const auto& fd : fs::directory_iterator("/proc/" + pid + "/fd", error)) {
    if (std::stoi(fd.path().filename().string()) <= STDERR_FILENO) continue;
    const std::string target = fs::read_symlink(fd.path(), error).string();
    if (target.starts_with("pipe:") || target.starts_with("socket:")) held.insert(target);
  }
  return held;
}

// The process that runs the executable at `path`, or "" when none does.
std::string processRunning(const fs::path& path) {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator("/proc", error)) {
    const std::string pid = entry.path().filename().string();
    if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
    if (fs::read_symlink(entry.path() / "exe", error) == path) return pid;
  }
  return "";
}

// Ends the started program and waits until it has.
void endProgram(const std::string& pid) {
  const int process = pidfd_open(std::stoi(pid), 0);
  ASSERT_GE(process, 0);
  pidfd_send_signal(process, SIGKILL, nullptr, 0);
  pollfd ended{process, POLLIN, 0};
  EXPECT_EQ(poll(&ended, 1, 5000), 1) << "process " << pid << " did not end";
  close(process);
}

// Each program on the Qt backend, in this process, switches to its partner as built. The
// partner must hold nothing of the program that ends: not a pipe or socket of this process,
// not even one that was open without close-on-exec (a sound-server connection, say).
class ProgramSwitchOnQt : public ::testing::Test {
 protected:
  ProgramSwitchOnQt() { putBothPrograms(folder); }

  void expectPartnerHoldsNothingOfOurs(const std::function<void()>& switchOver,
                                       const std::string& partner) {
    int held[2];
    ASSERT_EQ(pipe(held), 0);
    const std::set<std::string> ours = pipesAndSockets("self");
    switchOver();
    const fs::path partnerPath = fs::path(folder.path()) / partner;
    const std::string pid = processRunning(partnerPath);
    ASSERT_NE(pid, "") << partner << " is not running";
    EXPECT_EQ(fs::read_symlink("/proc/" + pid + "/cwd"), fs::path(folder.path()));
    for (const std::string& name : pipesAndSockets(pid)) {
      EXPECT_FALSE(ours.contains(name)) << partner << " holds " << name << " of this process";
    }
    // Once this process lets go of its end, nobody holds the pipe open.
    close(held[1]);
    pollfd hangUp{held[0], POLLIN, 0};
    EXPECT_EQ(poll(&hangUp, 1, 2000), 1);
    EXPECT_TRUE(hangUp.revents & POLLHUP) << partner << " keeps the pipe open";
    close(held[0]);
    endProgram(pid);
  }

  test_support::ProgramFolder folder;
};

TEST_F(ProgramSwitchOnQt, ThePartnerStartsWithNothingOfTheProgramThatEnds) {
  {
    SCOPED_TRACE("Sorandel to Tavolin");
    QtDriver driver;
    platform::Runtime rt(driver.backend(), folder.path());
    SorandelState state;
    initGlobals(state);
    MainWindow& w = rt.start<MainWindow>(state);
    expectPartnerHoldsNothingOfOurs([&] { ASSERT_TRUE(driver.click(w.Tavolin按钮)); }, "Tavolin");
    EXPECT_FALSE(rt.running());
  }
  {
    SCOPED_TRACE("Tavolin to Sorandel");
    QtDriver driver;
    platform::Runtime rt(driver.backend(), folder.path());
    TavolinState state;
    CompactWindow& w = rt.start<CompactWindow>(state);
    expectPartnerHoldsNothingOfOurs(
        [&] {
          ASSERT_TRUE(driver.rightClick(w.Tavolin图片框));
          ASSERT_TRUE(driver.choose(w.返回主窗口));
        },
        "Sorandel");
    EXPECT_FALSE(rt.running());
  }
}

}  // namespace
