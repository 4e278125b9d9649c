#pragma once

#include <memory>

#include "platform/qt/page_player.h"
#include "platform/qt/unit_widget.h"
#include "platform/web_view.h"

namespace platform::qt {

// A web view: an existing movie file (.swf) plays in the page engine, anything else shows an
// empty page. The engine is loaded the first time a movie is to be shown while the view is on
// screen, so a program whose web views never play starts and runs without it; one player page
// then serves every movie the view is sent to, and goes with the view. Esc pressed in the
// page still reaches the window, as in every other unit.
class WebViewWidget : public PlainUnitWidget {
 public:
  WebViewWidget(WebView& view, QWidget* parent);
  ~WebViewWidget() override;

 protected:
  void refresh(Property property) override;
  void released() override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showAddress();

  std::unique_ptr<PagePlayer> player_;
};

}  // namespace platform::qt
