#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// The user's changes to a rich edit box, kept to be undone and redone. A run of typed
// characters, or of characters removed one at a time with Backspace or with Delete, is one
// step, as in any desktop text box; a paste, a cut or a confirmed conversion is a step of its
// own. A new change drops what was undone before it.
class EditHistory {
 public:
  enum class Kind { Typing, Backspace, Delete, Other };

  // At `at`, `removed` gave way to `inserted`; each character keeps its format (an index into
  // the box's formats). The selection before the change, to be restored by an undo.
  struct Edit {
    int at = 0;
    std::u32string removed;
    std::vector<std::uint32_t> removedFormats;
    std::u32string inserted;
    std::vector<std::uint32_t> insertedFormats;
    int anchorBefore = 0;
    int caretBefore = 0;
    Kind kind = Kind::Other;
  };

  void record(Edit edit);
  // The step to undo (now the next to redo), or the step to redo (now the next to undo);
  // nullptr when there is none. Valid until the history changes again.
  const Edit* undo();
  const Edit* redo();
  void clear();

 private:
  std::vector<Edit> undone_;
  std::vector<Edit> done_;
};

}  // namespace platform
