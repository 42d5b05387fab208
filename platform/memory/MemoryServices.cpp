#include "platform/memory/MemoryServices.h"

#include <stdexcept>

namespace tarvik::platform::memory {

std::optional<std::string> MemorySettingsStore::Read(std::string_view section,
                                                     std::string_view key) const {
  auto found = values_.find({std::string(section), std::string(key)});
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

bool MemorySettingsStore::Write(std::string_view section, std::string_view key,
                                std::string_view value) {
  Put(section, key, value);
  writes_.push_back(std::string(section) + "/" + std::string(key) + "=" + std::string(value));
  return true;
}

void MemorySettingsStore::Put(std::string_view section, std::string_view key,
                              std::string_view value) {
  values_[{std::string(section), std::string(key)}] = value;
}

bool MemorySettingsStore::Has(std::string_view section, std::string_view key) const {
  return values_.count({std::string(section), std::string(key)}) != 0;
}

void ScriptedMessageBoxes::Warn(std::string_view text, std::string_view title) {
  shown_.push_back({Kind::Warning, std::string(text), std::string(title)});
  if (while_shown) while_shown(shown_.back());
}

void ScriptedMessageBoxes::Inform(std::string_view text, std::string_view title) {
  shown_.push_back({Kind::Information, std::string(text), std::string(title)});
  if (while_shown) while_shown(shown_.back());
}

Answer ScriptedMessageBoxes::Ask(std::string_view text, std::string_view title) {
  shown_.push_back({Kind::Question, std::string(text), std::string(title)});
  if (answers_.empty()) throw std::logic_error("unscripted question: " + std::string(text));
  Answer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

long FakeSystem::ShellOpen(std::string_view path, std::string_view folder) {
  events.push_back("shellopen " + std::string(path) + " in " + std::string(folder));
  return shell_result;
}

}  // namespace tarvik::platform::memory
