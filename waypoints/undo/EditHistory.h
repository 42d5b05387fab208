#pragma once

#include <cstddef>
#include <deque>
#include <optional>

#include "waypoints/undo/ListChange.h"

namespace tarvik::waypoints::undo {

// The steps that can be undone and redone, and which of the states they
// lead through is the saved one.
class EditHistory {
 public:
  // Undo keeps at least this many steps, and more while their rows take
  // less than kKeptBytes.
  static constexpr std::size_t kFewestSteps = 100;
  static constexpr std::size_t kKeptBytes = 64u << 20;

  // A new step after the current state: the steps that Redo would have
  // made are gone.
  void Record(ListStep step);
  void Clear();

  // Nullptr when there is nothing to undo or redo.
  const ListStep* ToUndo() const;
  const ListStep* ToRedo() const;
  // The step ToUndo named was taken back, or ToRedo's made again.
  void Undone();
  void Redone();

  // The list as it stands now is the one on the disk.
  void MarkSaved() { saved_at_ = done_; }
  bool AtSaved() const { return saved_at_ == done_; }

 private:
  void DropOldest();

  std::deque<ListStep> steps_;
  std::size_t done_ = 0;  // steps_[0, done_) are in effect
  std::optional<std::size_t> saved_at_ = 0;  // nullopt: no step leads back to it
  std::size_t bytes_ = 0;
};

}  // namespace tarvik::waypoints::undo
