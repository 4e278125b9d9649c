#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace platform {

// A unit's place in its parent, in pixels.
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Colours are 0x00bbggrr words, as the forms and character formats give them.
using Color = std::uint32_t;

// "Use the unit's own default colour" (also the marker in a CharFormat).
inline constexpr Color kDefaultColor = 0xFF000000u;

constexpr Color rgb(int red, int green, int blue) {
  return static_cast<Color>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int redOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

// A font as the forms name it. Sizes are in points; a form that gives a character height in
// pixels uses Font::pixels.
struct Font {
  std::string name = "宋体";
  double points = 9;
  bool bold = false;
  bool italic = false;
  bool underline = false;

  // The em size in pixels at 96 dpi: what text measuring uses.
  double pixelSize() const { return points * 96.0 / 72.0; }

  static Font pixels(std::string name, double pixelHeight) {
    Font f;
    f.name = std::move(name);
    f.points = pixelHeight * 72.0 / 96.0;
    return f;
  }

  bool operator==(const Font&) const = default;
};

enum class Cursor { Arrow, Hand, IBeam };

}  // namespace platform
