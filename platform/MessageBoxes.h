#pragma once

#include <string_view>

namespace tarvik::platform {

enum class Answer { Yes, No };

// Modal message boxes; every one carries a title.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;

  // Exclamation icon, OK button.
  virtual void Warn(std::string_view text, std::string_view title) = 0;
  // No icon, OK button.
  virtual void Inform(std::string_view text, std::string_view title) = 0;
  // No icon, Yes and No buttons, no Cancel.
  virtual Answer Ask(std::string_view text, std::string_view title) = 0;
};

}  // namespace tarvik::platform
