// The page engine on its own, offscreen, with a program folder of the test's making: what the
// player page may read, and what shows when the player's own files are damaged.
#include <gtest/gtest.h>

#include <QImage>
#include <QTcpServer>
#include <QTest>
#include <QWebEngineView>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>

#include "platform/qt/page_player.h"
#include "platform/system/program_module.h"
#include "tests/qt/engine_wait.h"
#include "tests/qt/qt_driver.h"

namespace {

namespace fs = std::filesystem;
using platform::qt::CreatePagePlayer;
using platform::qt::PagePlayer;

// Long enough for the player to have given up on a page many times over (it takes about 1 s).
constexpr int kSettleMs = 5000;

void writeFile(const fs::path& file, const std::string& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

std::string randomBytes(std::size_t count) {
  std::mt19937 random(24);
  std::string bytes(count, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

class PageEngine : public ::testing::Test {
 protected:
  PageEngine() : folder_(fs::temp_directory_path() / ("page_engine_" + randomName())) {
    std::string engineFolder;
    create_ = reinterpret_cast<CreatePagePlayer>(platform::resolveProgramModule(
        platform::qt::kEngineLibrary, platform::qt::kCreatePagePlayer, &engineFolder));
    runtime_ = fs::path(engineFolder) / "ruffle";
    copyRuntime();
    fs::create_directories(folder_ / "flash");
    fs::copy_file(fs::path(SORANDEL_PAGES_DIR) / "shengdiao.swf", movie());
    host_.resize(825, 600);
    host_.show();
  }

  ~PageEngine() override {
    player_.reset();
    fs::remove_all(folder_);
  }

  // A fresh copy of the player's folder as the build made it.
  void copyRuntime() {
    fs::remove_all(path("ruffle"));
    fs::create_directories(path("ruffle"));
    fs::copy(runtime_, path("ruffle"), fs::copy_options::recursive);
  }

  static std::string randomName() { return std::to_string(std::random_device()()); }

  fs::path path(const char* tail) const { return folder_ / tail; }
  fs::path movie() const { return path("flash/shengdiao.swf"); }

  // Starts the engine on the player folder and hands it the movie.
  void play(const fs::path& movieFile) {
    ASSERT_NE(create_, nullptr);
    player_.reset(create_(&host_, QString::fromStdString(path("ruffle").string())));
    player_->widget()->setGeometry(host_.rect());
    player_->widget()->show();
    player_->show(QString::fromStdString(movieFile.string()));
  }

  QWebEngineView& view() { return *static_cast<QWebEngineView*>(player_->widget()); }

  QVariant evaluate(const QString& script) { return evaluateInPage(view(), script); }

  // Pixels of the view, as drawn now, that are not white.
  int markedPixels() {
    const QImage image = view().grab().toImage();
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == qRgb(255, 255, 255) ? 0 : 1;
    }
    return n;
  }

  // The view shows nothing but white for the whole time the player takes to give up.
  bool staysWhite() {
    return !runEngineUntil([&] { return markedPixels() > 0; }, kSettleMs);
  }

  QtDriver driver_;
  fs::path folder_;
  CreatePagePlayer create_ = nullptr;
  fs::path runtime_;
  QWidget host_;
  std::unique_ptr<PagePlayer> player_;
};

// The player's files damaged in the program folder: the movie cannot play, and the view stays
// the empty white page, with none of the player's own panels or buttons.
TEST_F(PageEngine, APlayerThatCannotStartLeavesThePageWhite) {
  const struct {
    const char* damage;
    std::function<void(const fs::path& ruffle)> apply;
  } cases[] = {
      {"no player folder", [](const fs::path& ruffle) { fs::remove_all(ruffle); }},
      {"no wasm files",
       [](const fs::path& ruffle) {
         for (const auto& file : fs::directory_iterator(ruffle))
           if (file.path().extension() == ".wasm") fs::remove(file.path());
       }},
      {"damaged player script",
       [](const fs::path& ruffle) { writeFile(ruffle / "ruffle.js", randomBytes(4096)); }},
      {"damaged player core",
       [](const fs::path& ruffle) {
         for (const auto& file : fs::directory_iterator(ruffle))
           if (file.path().filename().string().starts_with("core.ruffle."))
             writeFile(file.path(), randomBytes(4096));
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.damage);
    player_.reset();
    copyRuntime();
    c.apply(path("ruffle"));
    play(movie());
    EXPECT_TRUE(staysWhite());
  }
}

// A page in the player's place that tries to read files and the network: only the player's
// folder and the movie's folder answer, and nothing reaches a server.
TEST_F(PageEngine, ThePageReadsOnlyThePlayersAndTheMoviesFiles) {
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
  writeFile(path("ruffle/own.txt"), "player");
  writeFile(path("setting/setting.ini"), "secret");
  writeFile(path("flashy/other.txt"), "secret");
  const QString probe = QStringLiteral(R"(<!doctype html><script>
    window.reads = null;
    async function read(url) {
      try { const r = await fetch(url); return r.ok ? await r.text() : "refused"; }
      catch (e) { return "refused"; }
    }
    async function showMovie(movie) {
      const base = new URL("..", document.baseURI).href;
      const found = {};
      found.movie = (await read(movie)).length > 100 ? "read" : "refused";
      found.own = await read("own.txt");
      found.settings = await read(base + "setting/setting.ini");
      found.climbing = await read("../setting/setting.ini");
      found.lookalike = await read(base + "flashy/other.txt");
      found.network = await read("http://127.0.0.1:%1/");
      found.socket = await new Promise((settle) => {
        const socket = new WebSocket("ws://127.0.0.1:%1/");
        socket.onopen = () => settle("open");
        socket.onerror = () => settle("refused");
        setTimeout(() => settle("connected, no answer"), 2000);
      });
      window.reads = found;
    }
  </script>)")
                            .arg(server.serverPort());
  writeFile(path("ruffle/player.html"), probe.toStdString());
  play(movie());
  ASSERT_TRUE(runEngineUntil([&] { return evaluate("window.reads != null").toBool(); }));
  const QVariantMap reads = evaluate("window.reads").toMap();
  const auto read = [&](const char* what) { return reads[what].toString().toStdString(); };
  EXPECT_EQ(read("movie"), "read");
  EXPECT_EQ(read("own"), "player");
  for (const char* outside : {"settings", "climbing", "lookalike", "network", "socket"})
    EXPECT_EQ(read(outside), "refused") << outside;
  EXPECT_FALSE(server.hasPendingConnections());
}

// A movie that asks its page to run a script (a javascript: address) is not heard.
TEST_F(PageEngine, AMovieCannotRunScriptsInItsPage) {
  fs::copy_file(SCRIPT_PROBE_MOVIE, path("flash/probe.swf"));
  play(path("flash/probe.swf"));
  ASSERT_TRUE(runEngineUntil(
      [&] { return evaluate("(window.frameLabels || []).includes('tried')").toBool(); }));
  EXPECT_FALSE(runEngineUntil([&] { return evaluate("window.movieScript !== undefined").toBool(); },
                              kSettleMs));
}

// The engine's own faults are kept from aborting the sanitizer build; the programs' own are
// not, also while the engine is loaded. (No program folder: the dying child leaves none behind.)
TEST(PageEngineLibrary, TheProgramsOwnDeleteFaultsStillAbortWithTheEngineLoaded) {
#if !defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "only the sanitizer build checks deletes";
#else
  struct Part {
    int kept = 0;
  };
  struct Whole : Part {
    char more[64] = {};
  };
  ASSERT_NE(
      platform::resolveProgramModule(platform::qt::kEngineLibrary, platform::qt::kCreatePagePlayer),
      nullptr);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(
      {
        Part* part = new Whole;
        delete part;
      },
      "new-delete-type-mismatch");
#endif
}

}  // namespace
