#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>

#include "platform/system/bytes.h"

namespace platform {

// File contents that copy without copying the bytes: a picture set on several units, or held
// by a unit and by the widget that draws it, is in memory once. Bytes compiled into the program
// are held where they lie, never copied.
class SharedBytes {
 public:
  SharedBytes() = default;
  // Takes the bytes over; copies of this share them.
  SharedBytes(Bytes bytes)  // NOLINT(google-explicit-constructor): a picture is given as bytes
      : owned_(bytes.empty() ? nullptr : std::make_shared<const Bytes>(std::move(bytes))),
        view_(owned_ ? std::span<const std::uint8_t>(*owned_) : std::span<const std::uint8_t>()) {}

  // Bytes that stay where they are for the whole run (compiled into the program).
  static SharedBytes lasting(std::span<const std::uint8_t> bytes) {
    SharedBytes shared;
    shared.view_ = bytes;
    return shared;
  }

  const std::uint8_t* data() const { return view_.data(); }
  std::size_t size() const { return view_.size(); }
  bool empty() const { return view_.empty(); }
  const std::uint8_t* begin() const { return data(); }
  const std::uint8_t* end() const { return data() + size(); }

  // Same contents, wherever they lie.
  friend bool operator==(const SharedBytes& a, const SharedBytes& b) {
    return std::ranges::equal(a.view_, b.view_);
  }

 private:
  std::shared_ptr<const Bytes> owned_;
  std::span<const std::uint8_t> view_;
};

}  // namespace platform
