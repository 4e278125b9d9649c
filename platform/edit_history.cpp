#include "platform/edit_history.h"

namespace platform {

namespace {

// Whether `next` continues the run of `last`; if so, `last` takes it in.
bool continueRun(EditHistory::Edit& last, const EditHistory::Edit& next) {
  using Kind = EditHistory::Kind;
  if (last.kind != next.kind) return false;
  switch (next.kind) {
    case Kind::Typing:
      // A typed character that replaces a selection starts a step of its own.
      if (!next.removed.empty() || next.at != last.at + static_cast<int>(last.inserted.size())) {
        return false;
      }
      last.inserted += next.inserted;
      last.insertedFormats.insert(last.insertedFormats.end(), next.insertedFormats.begin(),
                                  next.insertedFormats.end());
      return true;
    case Kind::Backspace:
      if (next.at + static_cast<int>(next.removed.size()) != last.at) return false;
      last.at = next.at;
      last.removed.insert(0, next.removed);
      last.removedFormats.insert(last.removedFormats.begin(), next.removedFormats.begin(),
                                 next.removedFormats.end());
      return true;
    case Kind::Delete:
      if (next.at != last.at) return false;
      last.removed += next.removed;
      last.removedFormats.insert(last.removedFormats.end(), next.removedFormats.begin(),
                                 next.removedFormats.end());
      return true;
    case Kind::Other:
      break;
  }
  return false;
}

}  // namespace

void EditHistory::record(Edit edit) {
  undone_.clear();
  if (!done_.empty() && continueRun(done_.back(), edit)) return;
  done_.push_back(std::move(edit));
}

const EditHistory::Edit* EditHistory::undo() {
  if (done_.empty()) return nullptr;
  undone_.push_back(std::move(done_.back()));
  done_.pop_back();
  return &undone_.back();
}

const EditHistory::Edit* EditHistory::redo() {
  if (undone_.empty()) return nullptr;
  done_.push_back(std::move(undone_.back()));
  undone_.pop_back();
  return &done_.back();
}

void EditHistory::clear() {
  done_.clear();
  undone_.clear();
}

}  // namespace platform
