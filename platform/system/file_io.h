#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Settings files, pictures and click sounds are at most a few hundred kilobytes. A file a hundred
// times that is none of them, and reading it whole would only cost the learner time and memory;
// one this size still reads in a blink.
constexpr std::int64_t kLargestWholeFile = 64 << 20;

// The whole file at a native path; nothing (with errno set) when it is no regular file of at
// most kLargestWholeFile bytes, as `openRegularFile` tells.
std::optional<std::string> readWholeFile(const std::string& path);

// Replaces the file's contents so that a crash or a full disk leaves either the old file or the
// new one, never a truncated one: a temporary file in the same folder is written, flushed and
// synced, then renamed over the file. The folder must exist; the file need not.
//
// `beforeRename` runs once the temporary file is complete; returning false stops the write
// there, as a crash at that point would. Returns whether the file now holds `contents`.
bool replaceFileContents(const std::string& path, std::string_view contents,
                         const std::function<bool()>& beforeRename = {});

// Makes a rename or a new file in the folder of `path` durable.
void syncFolder(const std::string& path);

}  // namespace platform
