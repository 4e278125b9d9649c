// The main skin as the first frame meets it: decoded from the PNG the program used to carry,
// or shown from the embedded bitmap; each alone and with its first draw into a frame.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QPainter>

#include "assets/assets.h"
#include "benchmarks/qt/qt_bench_support.h"
#include "platform/qt/pictures.h"

namespace {

int argc = 1;
char name[] = "picture_benchmark";
char* argv[] = {name, nullptr};

// The main skin as the painter wrote it before: Qt's PNG writer at its default level.
const QByteArray& mainSkinPng() {
  static const QByteArray bytes = [] {
    ensureApplication(argc, argv);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    platform::qt::decodePicture(assets::mainSkin()).save(&buffer, "PNG");
    return png;
  }();
  return bytes;
}

QPixmap fromPng() {
  QPixmap pixmap;
  pixmap.loadFromData(mainSkinPng());
  return pixmap;
}

void BM_MainSkinDecodedFromPng(benchmark::State& state) {
  mainSkinPng();
  for (auto _ : state) benchmark::DoNotOptimize(fromPng());
}
BENCHMARK(BM_MainSkinDecodedFromPng)->Unit(benchmark::kMillisecond);

void BM_MainSkinFromEmbeddedBitmap(benchmark::State& state) {
  ensureApplication(argc, argv);
  for (auto _ : state) benchmark::DoNotOptimize(platform::qt::decodePicture(assets::mainSkin()));
}
BENCHMARK(BM_MainSkinFromEmbeddedBitmap)->Unit(benchmark::kMillisecond);

void BM_MainSkinFromPngDrawn(benchmark::State& state) {
  mainSkinPng();
  QImage frame(882, 684, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter p(&frame);
    p.drawPixmap(0, 0, fromPng());
  }
}
BENCHMARK(BM_MainSkinFromPngDrawn)->Unit(benchmark::kMillisecond);

void BM_MainSkinFromEmbeddedBitmapDrawn(benchmark::State& state) {
  ensureApplication(argc, argv);
  QImage frame(882, 684, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter p(&frame);
    p.drawImage(0, 0, platform::qt::decodePicture(assets::mainSkin()));
  }
}
BENCHMARK(BM_MainSkinFromEmbeddedBitmapDrawn)->Unit(benchmark::kMillisecond);

}  // namespace
