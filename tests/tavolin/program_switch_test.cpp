#include <gtest/gtest.h>

#include <filesystem>

#include "content/content_folders.h"
#include "platform/headless/headless_backend.h"
#include "sorandel/main_window.h"
#include "sorandel/program.h"
#include "tavolin/compact_window.h"
#include "tavolin/program.h"
#include "tests/support/program_folder.h"
#include "tests/tavolin/both_programs.h"

namespace {

namespace fs = std::filesystem;

// Both programs as built, side by side in a throwaway program folder: each finds and starts the
// other there, and ends with exit code 0 whether or not its partner is there.
class ProgramSwitchTest : public ::testing::Test {
 protected:
  ProgramSwitchTest() { putBothPrograms(folder); }

  // What the switch started, or "" when nothing was found to start.
  static std::string started(const platform::HeadlessBackend& backend) {
    EXPECT_EQ(backend.programsStarted().size(), 1u);
    return backend.programsStarted().empty() ? "?" : backend.programsStarted()[0].nativePath;
  }

  test_support::ProgramFolder folder;
};

TEST_F(ProgramSwitchTest, EachProgramStartsTheOtherFromItsFolderAndEnds) {
  for (const bool partnerThere : {true, false}) {
    SCOPED_TRACE(partnerThere ? "both programs there" : "the partner missing");
    {
      if (!partnerThere) fs::remove(fs::path(folder.path()) / "Tavolin");
      platform::HeadlessBackend backend;
      platform::Runtime rt(backend, folder.path());
      SorandelState state;
      initGlobals(state);
      MainWindow& w = rt.start<MainWindow>(state);
      ASSERT_TRUE(backend.click(w.Tavolin按钮));
      EXPECT_EQ(started(backend), partnerThere ? folder.file("\\Tavolin") : "");
      EXPECT_EQ(backend.programsStarted()[0].file, "Tavolin.exe");
      EXPECT_EQ(backend.programsStarted()[0].workingFolder, folder.path());
      EXPECT_FALSE(rt.running());
      EXPECT_EQ(rt.exitCode(), 0);
    }
    {
      if (!partnerThere) fs::remove(fs::path(folder.path()) / "Sorandel");
      platform::HeadlessBackend backend;
      platform::Runtime rt(backend, folder.path());
      TavolinState state;
      CompactWindow& w = rt.start<CompactWindow>(state);
      ASSERT_TRUE(backend.rightClick(w.Tavolin图片框));
      ASSERT_TRUE(backend.choose(w.返回主窗口));
      EXPECT_EQ(started(backend), partnerThere ? folder.file("\\Sorandel") : "");
      EXPECT_EQ(backend.programsStarted()[0].file, "Sorandel.exe");
      EXPECT_FALSE(rt.running());
      EXPECT_EQ(rt.exitCode(), 0);
    }
  }
}

}  // namespace
