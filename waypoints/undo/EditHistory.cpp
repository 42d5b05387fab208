#include "waypoints/undo/EditHistory.h"

namespace tarvik::waypoints::undo {

void EditHistory::Record(ListStep step) {
  while (steps_.size() > done_) {
    bytes_ -= steps_.back().Bytes();
    steps_.pop_back();
  }
  if (saved_at_ && *saved_at_ > done_) saved_at_.reset();
  bytes_ += step.Bytes();
  steps_.push_back(std::move(step));
  ++done_;
  while (steps_.size() > kFewestSteps && bytes_ > kKeptBytes) DropOldest();
}

void EditHistory::DropOldest() {
  bytes_ -= steps_.front().Bytes();
  steps_.pop_front();
  --done_;
  if (saved_at_) {
    if (*saved_at_ == 0) saved_at_.reset();
    else --*saved_at_;
  }
}

void EditHistory::Clear() {
  steps_.clear();
  done_ = 0;
  bytes_ = 0;
  // The list that replaced the old one is saved only once a caller says so.
  saved_at_.reset();
}

const ListStep* EditHistory::ToUndo() const { return done_ > 0 ? &steps_[done_ - 1] : nullptr; }

const ListStep* EditHistory::ToRedo() const {
  return done_ < steps_.size() ? &steps_[done_] : nullptr;
}

void EditHistory::Undone() {
  if (done_ > 0) --done_;
}

void EditHistory::Redone() {
  if (done_ < steps_.size()) ++done_;
}

}  // namespace tarvik::waypoints::undo
