#pragma once

// The BMP layout of the program's own pictures, which are shown straight from their bytes with
// no decoding: a BITMAPV4HEADER file, 32 bits a pixel as BI_BITFIELDS, rows top-down and
// unpadded, each pixel a little-endian 0xAARRGGBB (QImage's RGB32 and ARGB32 in memory).
// An opaque picture has no alpha mask and all its fourth bytes 0xff; a picture with
// transparency has the alpha mask and straight alpha, as BMP defines it. The pixels start
// 128 bytes into the file, so they keep the alignment of the file's start.

#include <QByteArray>
#include <QImage>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace platform::qt::bitmap_layout {

constexpr std::size_t kPixelOffset = 128;
constexpr std::uint32_t kInfoSize = 108;  // BITMAPV4HEADER
constexpr std::uint32_t kBitFields = 3;
constexpr std::uint32_t kRedMask = 0x00ff0000;
constexpr std::uint32_t kGreenMask = 0x0000ff00;
constexpr std::uint32_t kBlueMask = 0x000000ff;
constexpr std::uint32_t kAlphaMask = 0xff000000;
constexpr std::uint32_t kSrgb = 0x73524742;    // 'sRGB'
constexpr std::uint32_t kDotsPerMetre = 3780;  // 96 dpi, QImage's own default
constexpr int kLargestSide = 32767;

struct Shape {
  int width;
  int height;
  bool alpha;
};

namespace detail {

inline std::uint32_t read32(std::span<const std::uint8_t> b, std::size_t at) {
  return std::uint32_t{b[at]} | std::uint32_t{b[at + 1]} << 8 | std::uint32_t{b[at + 2]} << 16 |
         std::uint32_t{b[at + 3]} << 24;
}

inline std::uint16_t read16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

inline void write32(std::span<std::uint8_t> b, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline std::uint64_t pixelBytes(std::uint64_t width, std::uint64_t height) {
  return width * height * 4;
}

}  // namespace detail

// The header bytes of a picture of that shape.
inline std::array<std::uint8_t, kPixelOffset> header(const Shape& shape) {
  using detail::write32;
  std::array<std::uint8_t, kPixelOffset> h{};
  const auto pixels = static_cast<std::uint32_t>(detail::pixelBytes(shape.width, shape.height));
  h[0] = 'B';
  h[1] = 'M';
  write32(h, 2, static_cast<std::uint32_t>(kPixelOffset) + pixels);
  write32(h, 10, kPixelOffset);
  write32(h, 14, kInfoSize);
  write32(h, 18, static_cast<std::uint32_t>(shape.width));
  write32(h, 22, static_cast<std::uint32_t>(-shape.height));  // negative: top-down rows
  h[26] = 1;                                                  // planes
  h[28] = 32;                                                 // bits a pixel
  write32(h, 30, kBitFields);
  write32(h, 34, pixels);
  write32(h, 38, kDotsPerMetre);
  write32(h, 42, kDotsPerMetre);
  write32(h, 54, kRedMask);
  write32(h, 58, kGreenMask);
  write32(h, 62, kBlueMask);
  write32(h, 66, shape.alpha ? kAlphaMask : 0);
  write32(h, 70, kSrgb);
  return h;
}

// The shape of a picture in exactly this layout whose pixels all lie within the bytes;
// nothing for any other bytes.
inline std::optional<Shape> read(std::span<const std::uint8_t> b) {
  using detail::read16;
  using detail::read32;
  if (b.size() < kPixelOffset || b[0] != 'B' || b[1] != 'M') return std::nullopt;
  const auto width = static_cast<std::int32_t>(read32(b, 18));
  const auto height = -static_cast<std::int64_t>(static_cast<std::int32_t>(read32(b, 22)));
  if (width < 1 || width > kLargestSide || height < 1 || height > kLargestSide) return std::nullopt;
  const std::uint64_t pixels = detail::pixelBytes(width, height);
  const std::uint32_t alphaMask = read32(b, 66);
  const bool layout = read32(b, 10) == kPixelOffset && read32(b, 14) == kInfoSize &&
                      read16(b, 26) == 1 && read16(b, 28) == 32 && read32(b, 30) == kBitFields &&
                      read32(b, 54) == kRedMask && read32(b, 58) == kGreenMask &&
                      read32(b, 62) == kBlueMask && (alphaMask == 0 || alphaMask == kAlphaMask) &&
                      read32(b, 34) == pixels;
  if (!layout || kPixelOffset + pixels > b.size()) return std::nullopt;
  return Shape{width, static_cast<int>(height), alphaMask != 0};
}

// The picture in this layout: opaque unless some pixel is not.
inline QByteArray encode(const QImage& picture) {
  QImage straight = picture.convertToFormat(QImage::Format_ARGB32);
  bool alpha = false;
  for (int y = 0; y < straight.height() && !alpha; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
    for (int x = 0; x < straight.width() && !alpha; ++x) alpha = qAlpha(row[x]) != 255;
  }
  const auto head = header({straight.width(), straight.height(), alpha});
  QByteArray bytes(reinterpret_cast<const char*>(head.data()), kPixelOffset);
  const auto rowBytes = static_cast<qsizetype>(straight.width()) * 4;
  for (int y = 0; y < straight.height(); ++y)
    bytes.append(reinterpret_cast<const char*>(straight.constScanLine(y)), rowBytes);
  return bytes;
}

}  // namespace platform::qt::bitmap_layout
