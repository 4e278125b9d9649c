#include "platform/mp3_frames.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <vector>

namespace platform {

namespace {

constexpr std::size_t kBlockBytes = 1 << 18;
constexpr std::size_t kHeaderBytes = 4;
constexpr std::size_t kId3v2HeaderBytes = 10;
constexpr std::int64_t kId3v1Bytes = 128;
constexpr std::size_t kVbriOffset = 36;  // after the header and 32 bytes, whatever the mode
constexpr std::uint32_t kInfoHasFrameCount = 1;

// The file's bytes, read a block at a time: a header or a frame at a time would cost a system
// call each, and a recording of hours holds hundreds of thousands of frames.
class BlockReader {
 public:
  explicit BlockReader(const RegularFile& file)
      : descriptor_(file.descriptor()), size_(file.size()), block_(kBlockBytes) {}

  std::int64_t size() const { return size_; }

  // The `count` bytes at `offset`; nullptr when the file does not hold them all.
  const std::uint8_t* at(std::int64_t offset, std::size_t count) {
    if (offset < 0 || count > kBlockBytes || offset > size_ ||
        static_cast<std::int64_t>(count) > size_ - offset) {
      return nullptr;
    }
    if (offset < start_ || offset + static_cast<std::int64_t>(count) > start_ + filled_) {
      if (!fill(offset, count)) return nullptr;
    }
    return block_.data() + (offset - start_);
  }

 private:
  bool fill(std::int64_t offset, std::size_t count) {
    start_ = offset;
    filled_ = 0;
    const auto wanted =
        static_cast<std::size_t>(std::min<std::int64_t>(kBlockBytes, size_ - offset));
    while (static_cast<std::size_t>(filled_) < wanted) {
      const ssize_t got =
          ::pread(descriptor_, block_.data() + filled_, wanted - filled_, offset + filled_);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;  // an error, or a file that has shrunk since it was opened
      filled_ += got;
    }
    return static_cast<std::size_t>(filled_) >= count;
  }

  int descriptor_;
  std::int64_t size_;
  std::vector<std::uint8_t> block_;
  std::int64_t start_ = 0;
  std::int64_t filled_ = 0;
};

std::uint32_t bigEndian32(const std::uint8_t* b) {
  return std::uint32_t{b[0]} << 24 | std::uint32_t{b[1]} << 16 | std::uint32_t{b[2]} << 8 | b[3];
}

bool startsWith(const std::uint8_t* b, std::string_view tag) {
  return std::memcmp(b, tag.data(), tag.size()) == 0;
}

struct FrameHeader {
  int version = 0;  // the header's two bits: 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
  int sampleRate = 0;
  int channels = 0;
  int samplesPerFrame = 0;
  std::int64_t bytes = 0;
  bool crc = false;

  bool sameFormat(const FrameHeader& other) const {
    return version == other.version && sampleRate == other.sampleRate && channels == other.channels;
  }
};

// The header of a layer III frame with a bit rate of its table; nothing for any other four bytes
// (and for the reserved emphasis, which no encoder writes).
std::optional<FrameHeader> layerThreeHeader(const std::uint8_t* b) {
  static constexpr std::array<int, 16> kMpeg1Kbps = {0,   32,  40,  48,  56,  64,  80,  96,
                                                     112, 128, 160, 192, 224, 256, 320, 0};
  static constexpr std::array<int, 16> kMpeg2Kbps = {0,  8,  16, 24,  32,  40,  48,  56,
                                                     64, 80, 96, 112, 128, 144, 160, 0};
  static constexpr std::array<int, 3> kMpeg1Rates = {44100, 48000, 32000};
  const std::uint32_t h = bigEndian32(b);
  const int version = static_cast<int>(h >> 19 & 3);
  const int layer = static_cast<int>(h >> 17 & 3);
  const int bitrateIndex = static_cast<int>(h >> 12 & 15);
  const int rateIndex = static_cast<int>(h >> 10 & 3);
  if ((h & 0xffe00000) != 0xffe00000 || version == 1 || layer != 1 || bitrateIndex == 0 ||
      bitrateIndex == 15 || rateIndex == 3 || (h & 3) == 2) {
    return std::nullopt;
  }
  const bool mpeg1 = version == 3;
  FrameHeader header;
  header.version = version;
  header.sampleRate = kMpeg1Rates[rateIndex] >> (mpeg1 ? 0 : version == 2 ? 1 : 2);
  header.channels = (h >> 6 & 3) == 3 ? 1 : 2;
  header.samplesPerFrame = mpeg1 ? 1152 : 576;
  const std::int64_t bitsPerSecond = (mpeg1 ? kMpeg1Kbps : kMpeg2Kbps)[bitrateIndex] * 1000;
  header.bytes = header.samplesPerFrame / 8 * bitsPerSecond / header.sampleRate + (h >> 9 & 1);
  header.crc = (h >> 16 & 1) == 0;
  return header;
}

// Where the stream's first frame starts, after any ID3v2 tags; -1 when a tag is not sound.
std::int64_t firstFrameOffset(BlockReader& reader) {
  std::int64_t at = 0;
  while (const std::uint8_t* tag = reader.at(at, kId3v2HeaderBytes)) {
    if (!startsWith(tag, "ID3")) break;
    // Versions 2.2 to 2.4, the ones there are; a size in seven bits a byte.
    if (tag[3] < 2 || tag[3] > 4 || tag[4] == 0xff ||
        ((tag[6] | tag[7] | tag[8] | tag[9]) & 0x80) != 0) {
      return -1;
    }
    const std::int64_t size = std::int64_t{tag[6]} << 21 | std::int64_t{tag[7]} << 14 |
                              std::int64_t{tag[8]} << 7 | tag[9];
    const bool footer = (tag[5] & 0x10) != 0;
    at += static_cast<std::int64_t>(kId3v2HeaderBytes) * (footer ? 2 : 1) + size;
  }
  return at;
}

std::size_t sideInfoBytes(const FrameHeader& header) {
  return header.version == 3 ? (header.channels == 1 ? 17 : 32) : (header.channels == 1 ? 9 : 17);
}

bool infoTagAt(const std::uint8_t* frame, std::size_t bytes, std::size_t offset) {
  return offset + 4 <= bytes &&
         (startsWith(frame + offset, "Xing") || startsWith(frame + offset, "Info"));
}

// Whether some decoder may take the frame for an info frame: an Xing or Info tag after its side
// information (or after a CRC before it), or a VBRI tag.
bool holdsInfoTag(const std::uint8_t* frame, const FrameHeader& header) {
  const auto bytes = static_cast<std::size_t>(header.bytes);
  const std::size_t tagAt = kHeaderBytes + sideInfoBytes(header);
  return infoTagAt(frame, bytes, tagAt) || infoTagAt(frame, bytes, tagAt + 2) ||
         (kVbriOffset + 4 <= bytes && startsWith(frame + kVbriOffset, "VBRI"));
}

enum class FirstFrame { Audio, Info, Unknown };

// Whether the first frame is sound or an info frame with its frame count. Only LAME's form of the
// info frame is taken at its word: the tag right after empty side information, no CRC (decoders
// differ on where a CRC puts it), a frame count.
FirstFrame kindOfFirstFrame(const std::uint8_t* frame, const FrameHeader& header,
                            std::optional<std::int64_t>& infoFrameCount) {
  if (!holdsInfoTag(frame, header)) return FirstFrame::Audio;
  const auto bytes = static_cast<std::size_t>(header.bytes);
  const std::size_t tagAt = kHeaderBytes + sideInfoBytes(header);
  // A decoder takes a frame with anything in its side information for sound.
  const bool emptySideInfo =
      std::all_of(frame + kHeaderBytes, frame + tagAt, [](std::uint8_t byte) { return byte == 0; });
  if (header.crc || !infoTagAt(frame, bytes, tagAt) || !emptySideInfo || tagAt + 12 > bytes ||
      (bigEndian32(frame + tagAt + 4) & kInfoHasFrameCount) == 0) {
    return FirstFrame::Unknown;
  }
  infoFrameCount = bigEndian32(frame + tagAt + 8);
  return FirstFrame::Info;
}

}  // namespace

std::optional<Mp3Frames> readPlainFrames(const RegularFile& file) {
  if (!file) return std::nullopt;
  BlockReader reader(file);
  std::int64_t at = firstFrameOffset(reader);
  const std::uint8_t* firstBytes = reader.at(at, kHeaderBytes);
  if (at < 0 || firstBytes == nullptr) return std::nullopt;
  const std::optional<FrameHeader> first = layerThreeHeader(firstBytes);
  if (!first) return std::nullopt;
  const std::uint8_t* firstFrame = reader.at(at, static_cast<std::size_t>(first->bytes));
  if (firstFrame == nullptr) return std::nullopt;

  Mp3Frames frames;
  frames.samplesPerFrame = first->samplesPerFrame;
  frames.sampleRate = first->sampleRate;
  frames.channels = first->channels;
  switch (kindOfFirstFrame(firstFrame, *first, frames.infoFrameCount)) {
    case FirstFrame::Unknown:
      return std::nullopt;
    case FirstFrame::Info:
      at += first->bytes;
      break;
    case FirstFrame::Audio:
      break;
  }
  const std::int64_t end = reader.size();
  while (at < end) {
    const std::uint8_t* bytes = reader.at(at, kHeaderBytes);
    if (bytes == nullptr) return std::nullopt;
    if (end - at == kId3v1Bytes && startsWith(bytes, "TAG")) break;
    const std::optional<FrameHeader> header = layerThreeHeader(bytes);
    if (!header || !header->sameFormat(*first) || header->bytes > end - at) return std::nullopt;
    // An info frame further on is a joined file's, which decoders end differently.
    const std::uint8_t* frame = reader.at(at, static_cast<std::size_t>(header->bytes));
    if (frame == nullptr || holdsInfoTag(frame, *header)) return std::nullopt;
    at += header->bytes;
    ++frames.audioFrames;
  }
  return frames;
}

}  // namespace platform
