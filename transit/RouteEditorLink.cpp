#include "transit/RouteEditorLink.h"

#include <utility>

#include "target/TargetSession.h"

namespace tarvik::transit {

namespace {

constexpr std::chrono::milliseconds kRetryInterval{1000};
constexpr std::string_view kRouteEditor = "Route Editor";

}  // namespace

RouteEditorLink::RouteEditorLink(target::Module1& finder, Clock clock)
    : finder_(finder), clock_(std::move(clock)) {}

bool RouteEditorLink::Read(RouteEditorTexts& texts) {
  finder_.FindRouteEditorWindows();
  if (silent_at_ && !AnswersAgain()) return false;
  target::TargetSession session(finder_.Windows(), kRouteEditor);
  ReadFoundWindows(finder_, session, texts);
  if (session.Answering()) return true;
  silent_at_ = clock_();
  return false;
}

bool RouteEditorLink::AnswersAgain() {
  const target::Module1& found = finder_;
  const platform::WindowHandle window = found.CameraWnd   ? found.CameraWnd
                                        : found.ObjectWnd ? found.ObjectWnd
                                                          : found.PlacementWnd;
  // A Route Editor that has closed is silent no more: there is nothing to ask.
  if (window == 0) {
    silent_at_.reset();
    return true;
  }
  if (clock_() - *silent_at_ < kRetryInterval) return false;
  target::TargetSession session(finder_.Windows(), kRouteEditor);
  if (!session.Ping(window)) {
    silent_at_ = clock_();
    return false;
  }
  silent_at_.reset();
  return true;
}

}  // namespace tarvik::transit
