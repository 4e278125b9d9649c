// The page engine library: Qt WebEngine with the Ruffle player page. Only this library links
// the engine; the desktop backend loads it when a web view first has a movie to show.
#include <QDir>
#include <QJsonDocument>
#include <QJsonValue>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "platform/qt/page_player.h"

namespace platform::qt {
namespace {

class RufflePagePlayer : public PagePlayer {
 public:
  RufflePagePlayer(QWidget* parent, const QString& playerFolder)
      : profile_(new QWebEngineProfile()), view_(new QWebEngineView(parent)) {
    // Nothing is kept on disk between runs: an off-the-record profile.
    auto* page = new QWebEnginePage(profile_, view_);
    QWebEngineSettings* settings = page->settings();
    // The movies speak as they start, without waiting for a click.
    settings->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    view_->setPage(page);
    view_->setContextMenuPolicy(Qt::NoContextMenu);
    QObject::connect(page, &QWebEnginePage::loadFinished, page, [this](bool) {
      ready_ = true;
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
  QWebEngineView* view_;
  QString movie_;
  bool ready_ = false;
};

}  // namespace
}  // namespace platform::qt

extern "C" Q_DECL_EXPORT platform::qt::PagePlayer* sorandelCreatePagePlayer(
    QWidget* parent, const QString& playerFolder) {
  return new platform::qt::RufflePagePlayer(parent, playerFolder);
}
