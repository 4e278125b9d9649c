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

// Changes a file as one step: reads it, lets `change` make the new contents from the old ("" when
// there is no file yet) and replaces it as `replaceFileContents` does, holding from the read to
// the rename an exclusive lock that every change of a file in that folder takes. Two programs
// changing one file at once so never put back a file read before the other's change. `change`
// returns nothing to leave the file alone. False when the file exists but cannot be read (it is
// then left alone rather than replaced by one without its other contents), when `change` gave
// nothing, or when the replacement failed.
bool changeFileContents(
    const std::string& path,
    const std::function<std::optional<std::string>(const std::string& existing)>& change);

// Makes a rename or a new file in the folder of `path` durable.
void syncFolder(const std::string& path);

}  // namespace platform
