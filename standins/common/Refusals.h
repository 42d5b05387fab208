#pragma once

#include <string>
#include <utility>

namespace tarvik::standins {

// What a stand-in refuses of what it is sent, made plain so that a test
// sees a wrong format: each refusal beeps, goes into the log file given
// with --log (or to the debugger's output without one) as one line, and is
// kept for the stand-in to show.
class Refusals {
 public:
  explicit Refusals(std::wstring log_path) : log_path_(std::move(log_path)) {}

  void Refuse(const std::wstring& what);
  // "Refused: ..." for the last refusal, or empty before the first.
  const std::wstring& Shown() const { return shown_; }

 private:
  void Log(const std::wstring& line) const;

  std::wstring log_path_;
  std::wstring shown_;
};

}  // namespace tarvik::standins
