#pragma once

#include <string_view>

namespace platform {

// Failures never reach the learner, but a user running the program from a terminal can see
// why a view came up empty: one line on stderr, "<program>: <subject>: <reason>".
void reportFailure(std::string_view subject, std::string_view reason);
// The same line for something done on the user's files that is worth knowing.
void reportNote(std::string_view subject, std::string_view note);

}  // namespace platform
