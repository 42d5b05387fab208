#pragma once

#include <chrono>
#include <functional>
#include <optional>

#include "target/Module1.h"
#include "transit/RouteEditorTexts.h"

namespace tarvik::transit {

// The Transit window's line to the Route Editor from pass to pass. A pass
// that the Route Editor leaves unanswered ends there. Until the Route
// Editor answers again, a pass sends it nothing but, at most once a second,
// one short message to see whether it does, so that a Route Editor that
// has stopped answering never holds up a pass for long.
class RouteEditorLink {
 public:
  // Milliseconds on any steady count.
  using Clock = std::function<std::chrono::milliseconds()>;

  RouteEditorLink(target::Module1& finder, Clock clock);

  // One scan of the window finder and, while the Route Editor answers, the
  // texts of the windows found (ReadFoundWindows). False when it did not
  // answer in this pass, or has not answered since.
  bool Read(RouteEditorTexts& texts);

 private:
  // One short message, when a second has passed since the last one went
  // unanswered; true once the Route Editor answers it.
  bool AnswersAgain();

  target::Module1& finder_;
  Clock clock_;
  // When the Route Editor last left a message unanswered, while it is silent.
  std::optional<std::chrono::milliseconds> silent_at_;
};

}  // namespace tarvik::transit
