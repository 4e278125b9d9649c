// The page engine library: Qt WebEngine with the Ruffle player page. Only this library links
// the engine; the desktop backend loads it when a web view first has a movie to show.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonValue>
#include <QOpenGLContext>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <mutex>

#include "platform/qt/page_player.h"

// Qt's own hook for the context that every OpenGL context of the application shares with.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace platform::qt {
namespace {

// The engine draws through OpenGL where there is any, in contexts shared with the application's;
// the programs do not set that up at their start (it costs every start most of a second), so
// it is done here, before the engine's first page.
void shareGraphicsContexts() {
  if (QOpenGLContext::globalShareContext() != nullptr) return;
  auto* context = new QOpenGLContext(QCoreApplication::instance());
  if (context->create()) {
    qt_gl_set_global_share_context(context);
  } else {
    delete context;
  }
}

// What the player page may load: the files of the player's folder and of the shown movie's
// folder (which the movie may load further files from). Nothing else on disk, nothing from the
// network.
class PageFileGuard : public QWebEngineUrlRequestInterceptor {
 public:
  PageFileGuard(const QString& playerFolder, QObject* parent)
      : QWebEngineUrlRequestInterceptor(parent),
        playerFolder_(QFileInfo(playerFolder).canonicalFilePath()) {}

  void setMovieFolder(const QString& folder) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    const std::lock_guard lock(mutex_);
    movieFolder_ = canonical;
  }

  void interceptRequest(QWebEngineUrlRequestInfo& info) override {
    info.block(!allowed(info.requestUrl()));
  }

 private:
  bool allowed(const QUrl& url) {
    // The page's own scripts make these from what they have already read.
    if (url.scheme() == QLatin1String("data") || url.scheme() == QLatin1String("blob")) return true;
    if (!url.isLocalFile()) return false;
    const QString file = QFileInfo(url.toLocalFile()).canonicalFilePath();
    const std::lock_guard lock(mutex_);
    return inside(file, playerFolder_) || inside(file, movieFolder_);
  }

  static bool inside(const QString& file, const QString& folder) {
    return !file.isEmpty() && !folder.isEmpty() && file.startsWith(folder + QLatin1Char('/'));
  }

  const QString playerFolder_;
  std::mutex mutex_;
  QString movieFolder_;
};

class RufflePagePlayer : public PagePlayer {
 public:
  RufflePagePlayer(QWidget* parent, const QString& playerFolder)
      : profile_(new QWebEngineProfile()),
        guard_(new PageFileGuard(playerFolder, profile_)),
        view_(new QWebEngineView(parent)) {
    profile_->setUrlRequestInterceptor(guard_);
    // Nothing is kept on disk between runs: an off-the-record profile.
    auto* page = new QWebEnginePage(profile_, view_);
    QWebEngineSettings* settings = page->settings();
    // The movies speak as they start, without waiting for a click.
    settings->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    // The player reads its runtime and the movies from file addresses (the guard limits which).
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    view_->setPage(page);
    view_->setContextMenuPolicy(Qt::NoContextMenu);
    // Without its player page (a damaged program folder) the view stays empty.
    QObject::connect(page, &QWebEnginePage::loadFinished, page, [this](bool loaded) {
      ready_ = loaded;
      run();
    });
    page->load(QUrl::fromLocalFile(QDir(playerFolder).filePath(QStringLiteral("player.html"))));
  }

  ~RufflePagePlayer() override {
    // The page goes before its profile.
    delete view_;
    delete profile_;
  }

  QWidget* widget() override { return view_; }

  void show(const QString& moviePath) override {
    movie_ = moviePath;
    if (!movie_.isEmpty()) guard_->setMovieFolder(QFileInfo(movie_).absolutePath());
    run();
  }

 private:
  // Hands the latest movie to the player page once it has loaded; a movie that comes before
  // replaces the one that waited.
  void run() {
    if (!ready_) return;
    const QString url =
        movie_.isEmpty() ? QString() : QUrl::fromLocalFile(movie_).toString(QUrl::FullyEncoded);
    const QString argument = QString::fromUtf8(
        QJsonDocument::fromVariant(QVariantList{url}).toJson(QJsonDocument::Compact));
    view_->page()->runJavaScript(QStringLiteral("showMovie(...%1);").arg(argument));
  }

  QWebEngineProfile* profile_;
  PageFileGuard* guard_;
  QWebEngineView* view_;
  QString movie_;
  bool ready_ = false;
};

}  // namespace
}  // namespace platform::qt

extern "C" Q_DECL_EXPORT platform::qt::PagePlayer* sorandelCreatePagePlayer(
    QWidget* parent, const QString& playerFolder) {
  platform::qt::shareGraphicsContexts();
  return new platform::qt::RufflePagePlayer(parent, playerFolder);
}
