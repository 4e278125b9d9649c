#include "platform/system/diagnostics.h"

#include <errno.h>

#include <cstdio>
#include <string>

namespace platform {

namespace {

// Keeps the report on one line whatever the subject or the reason hold.
void appendOneLine(std::string& line, std::string_view text) {
  for (char c : text) line += (c == '\n' || c == '\r') ? ' ' : c;
}

}  // namespace

void reportNote(std::string_view subject, std::string_view note) { reportFailure(subject, note); }

void reportFailure(std::string_view subject, std::string_view reason) {
  std::string line = program_invocation_short_name;
  line += ": ";
  appendOneLine(line, subject);
  line += ": ";
  appendOneLine(line, reason);
  line += '\n';
  std::fputs(line.c_str(), stderr);
}

}  // namespace platform
