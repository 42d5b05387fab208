#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/MessageBoxes.h"
#include "platform/SettingsStore.h"
#include "platform/System.h"

namespace tarvik::platform::memory {

class MemorySettingsStore : public SettingsStore {
 public:
  using Key = std::pair<std::string, std::string>;  // section, key

  std::optional<std::string> Read(std::string_view section, std::string_view key) const override;
  bool Write(std::string_view section, std::string_view key, std::string_view value) override;

  void Put(std::string_view section, std::string_view key, std::string_view value);
  bool Has(std::string_view section, std::string_view key) const;
  // Every write in order, as "section/key=value".
  const std::vector<std::string>& Writes() const { return writes_; }

 private:
  std::map<Key, std::string> values_;
  std::vector<std::string> writes_;
};

// Message boxes answered from a script; every box shown is recorded.
class ScriptedMessageBoxes : public MessageBoxes {
 public:
  enum class Kind { Warning, Information, Question };
  struct Shown {
    Kind kind;
    std::string text;
    std::string title;
  };

  void Warn(std::string_view text, std::string_view title) override;
  void Inform(std::string_view text, std::string_view title) override;
  // Takes the next scripted answer; a question nobody scripted fails the
  // test loudly rather than guessing.
  Answer Ask(std::string_view text, std::string_view title) override;

  void ScriptAnswer(Answer answer) { answers_.push_back(answer); }
  const std::vector<Shown>& History() const { return shown_; }
  // Runs while each warning or information box is up, as events the box
  // lets through would.
  std::function<void(const Shown&)> while_shown;

 private:
  std::deque<Answer> answers_;
  std::vector<Shown> shown_;
};

class FakeSystem : public System {
 public:
  std::string ProgramFolder() const override { return program_folder; }
  void Sleep(int milliseconds) override { events.push_back("sleep " + std::to_string(milliseconds)); }
  void DoEvents() override {
    events.push_back("doevents");
    if (during_do_events) during_do_events();
  }
  long ShellOpen(std::string_view path, std::string_view folder) override;

  std::string program_folder = "C:\\Program Files\\Tarvik";
  long shell_result = 42;
  std::vector<std::string> events;
  // Runs inside every DoEvents, as a queued event would.
  std::function<void()> during_do_events;
};

}  // namespace tarvik::platform::memory
