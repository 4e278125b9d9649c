#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/mp3_file.h"
#include "platform/mp3_frames.h"
#include "platform/system/file_io.h"
#include "tests/support/program_folder.h"

namespace {

std::string fixture(const std::string& name) {
  const auto bytes = platform::readWholeFile(std::string(PLATFORM_FIXTURES) + "/" + name);
  if (!bytes) throw std::runtime_error("missing fixture " + name);
  return *bytes;
}

// Everything the decoder gives, a channel's samples counted: what the player plays.
std::int64_t decodedSamples(const std::string& path) {
  auto source = platform::openMp3(path);
  if (source == nullptr) return 0;
  const auto channels = static_cast<std::size_t>(source->format().channels);
  std::vector<std::int16_t> block(4096 * channels);
  std::int64_t samples = 0;
  while (const std::size_t got = source->read(block.data(), 4096)) samples += got;
  return samples;
}

std::string cutEnd(std::string bytes, std::size_t count) {
  bytes.resize(bytes.size() - count);
  return bytes;
}

std::string inserted(std::string bytes, std::size_t at, const std::string& piece) {
  bytes.insert(at, piece);
  return bytes;
}

std::string withByte(std::string bytes, std::size_t at, char value) {
  bytes[at] = value;
  return bytes;
}

// The frame count of the Xing/Info frame changed by `delta`, as a cut or joined file has it.
std::string withInfoCount(std::string bytes, int delta) {
  std::size_t at = bytes.find("Info");
  if (at == std::string::npos) at = bytes.find("Xing");
  auto* count = reinterpret_cast<unsigned char*>(bytes.data() + at + 8);
  const std::uint32_t value =
      (std::uint32_t{count[0]} << 24 | count[1] << 16 | count[2] << 8 | count[3]) + delta;
  for (int i = 0; i < 4; ++i) count[i] = static_cast<unsigned char>(value >> (24 - 8 * i));
  return bytes;
}

struct Case {
  const char* label;
  std::string bytes;
  bool plain;                           // read from its frame headers alone
  std::optional<std::int64_t> samples;  // where the sound's own length is known
};

// The length the player gives at the open is what it plays, sample for sample: read from the
// headers of plain streams (CBR or VBR, with or without an Xing/Info frame and LAME's gapless
// tag, MPEG-1, 2 and 2.5, ID3 tags at either end), decoded for every other file.
TEST(Mp3Length, IsExactlyWhatIsPlayed) {
  const std::string gapless = fixture("cbr_gapless.mp3");  // 22,050 Hz mono, 0.4 s, 18 frames
  const std::string untagged = fixture("cbr_untagged.mp3");
  const std::string vbr = fixture("vbr_gapless.mp3");
  const std::string tagged = fixture("stereo_id3_tags.mp3");  // 44,100 Hz, ID3v2 and ID3v1
  const std::string id3v2 = std::string("ID3\3\0\0\0\0\0\x14", 10) + std::string(20, '\0');
  const std::string ape = std::string("APETAGEX\xd0\7\0\0\x20\0\0\0", 16) + std::string(16, '\0');
  const std::vector<Case> cases = {
      {"CBR with LAME's gapless tag", gapless, true, 8820},
      {"VBR with LAME's gapless tag", vbr, true, 8820},
      {"MPEG-1 stereo between ID3v2 and ID3v1 tags", tagged, true, 17640},
      {"one frame of sound with the gapless tag", fixture("tiny_gapless.mp3"), true, 220},
      {"the course recording of a second", fixture("tone_1000ms_mono.mp3"), true, 22050},
      {"CBR without an info frame", untagged, true, 18 * 576},
      {"VBR without an info frame", fixture("vbr_untagged.mp3"), true, 18 * 576},
      {"MPEG-2.5 at 8,000 Hz", fixture("mpeg25_untagged.mp3"), true, 8 * 576},
      {"an ID3v2 tag before the frames", id3v2 + gapless, true, 8820},
      {"two ID3v2 tags", id3v2 + id3v2 + gapless, true, 8820},
      {"the last frame cut short", cutEnd(gapless, 50), false, std::nullopt},
      {"junk between frames", inserted(gapless, 1000, std::string(37, 'U')), false, std::nullopt},
      {"junk before the first frame", "junk" + untagged, false, std::nullopt},
      {"bytes after the last frame", gapless + std::string(300, '\0'), false, std::nullopt},
      {"an APE tag after the last frame", gapless + ape, false, std::nullopt},
      {"an ID3v2 tag longer than it says", "ID3\3\0\0\0\0\0\x0a" + id3v2.substr(10) + gapless,
       false, std::nullopt},
      {"an info frame counting more frames", withInfoCount(gapless, 5), true, std::nullopt},
      {"an info frame counting fewer frames", withInfoCount(gapless, -1), true, std::nullopt},
      {"two recordings joined", gapless + gapless, false, std::nullopt},
      {"an untagged recording before a tagged one", untagged + gapless, false, std::nullopt},
      {"an ID3v2 tag of an unknown version", "ID3\5" + id3v2.substr(4) + gapless, false,
       std::nullopt},
      {"an info frame with a CRC", withByte(gapless, 1, '\xf2'), false, std::nullopt},
      {"an info frame with side information", withByte(tagged, 138, '\xff'), false, std::nullopt},
      {"the first frame's header damaged", withByte(gapless, 0, '\x7f'), false, std::nullopt},
      {"the header of a frame in the middle damaged", withByte(gapless, 1827, '\x7f'), false,
       std::nullopt},
      {"the info frame alone", gapless.substr(0, 182), true, 0},
  };
  test_support::ProgramFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    folder.putFile("\\music\\case.mp3", c.bytes);
    const std::string path = folder.file("\\music\\case.mp3");
    const platform::Mp3Info info = platform::probeMp3(path);
    const std::int64_t played = decodedSamples(path);
    EXPECT_EQ(info.samples, played);
    if (c.samples) {
      EXPECT_EQ(played, *c.samples);
    }
    EXPECT_EQ(info.playable, played > 0);
    if (info.playable) {
      EXPECT_EQ(info.lengthMs,
                (played * 1000 + info.format.sampleRate / 2) / info.format.sampleRate);
    }
    EXPECT_EQ(platform::readPlainFrames(platform::openRegularFile(path)).has_value(), c.plain);
  }
}

}  // namespace
