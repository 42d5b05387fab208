#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Twips.h"

namespace tarvik::platform {

// What every clickable thing on a window has, menu entries included.
// Texts are UTF-8 throughout the program.
class Element {
 public:
  virtual ~Element() = default;

  virtual std::string Caption() const = 0;
  virtual void SetCaption(std::string_view caption) = 0;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;

  // The user's action: a button press, a check box toggle, a menu choice,
  // a new selection in a list. Replaces any earlier handler.
  virtual void OnClick(std::function<void()> handler) = 0;
};

using MenuItem = Element;

// A control placed on a window's client area; geometry in twips relative to
// the client area (or to its frame, for controls inside a frame).
class Control : public Element {
 public:
  virtual void SetToolTip(std::string_view tip) = 0;

  virtual Twips Left() const = 0;
  virtual Twips Top() const = 0;
  virtual Twips Width() const = 0;
  virtual Twips Height() const = 0;
  virtual void SetLeft(Twips left) = 0;
  virtual void SetTop(Twips top) = 0;
  virtual void SetWidth(Twips width) = 0;
  virtual void SetHeight(Twips height) = 0;

  // Check boxes and option buttons: 0 unchecked, 1 checked. Setting the
  // value from the program does not raise the click handler.
  virtual int Value() const = 0;
  virtual void SetValue(int value) = 0;

  virtual void SetReadOnly(bool read_only) = 0;
  // A text field: puts `text` at the insertion point, replacing a selection.
  virtual void ReplaceSelection(std::string_view text) = 0;
  // A text field: `handler` sees text the user pastes before the field does;
  // when it returns true it has dealt with the text and the field pastes
  // nothing. Replaces any earlier handler.
  virtual void OnPaste(std::function<bool(std::string_view)> handler) = 0;
  virtual void SetFocus() = 0;
};

// A list box or a drop-down list. Rows are shown in the order the program
// inserts them; sorting is the caller's business.
class ListControl : public Control {
 public:
  virtual int Count() const = 0;
  virtual std::string Item(int index) const = 0;
  // Inserts at `index`, or appends when index is -1 or past the end.
  virtual void AddItem(std::string_view text, int index = -1) = 0;
  virtual void RemoveItem(int index) = 0;
  virtual void Clear() = 0;
  // Replaces every row at once, in the order given; nothing is selected.
  // Much faster than adding a large file's rows one by one.
  virtual void SetItems(std::span<const std::string_view> rows) = 0;

  // -1 when nothing is selected.
  virtual int ListIndex() const = 0;
  // Selecting a different row raises the click handler before this returns;
  // selecting the row already selected raises nothing.
  virtual void SetListIndex(int index) = 0;
};

// Every row of a list, in order. Reading a large list box back takes a
// while: for commands that need every row.
inline std::vector<std::string> AllItems(const ListControl& list) {
  std::vector<std::string> rows;
  rows.reserve(static_cast<std::size_t>(list.Count()));
  for (int i = 0; i < list.Count(); ++i) rows.push_back(list.Item(i));
  return rows;
}

}  // namespace tarvik::platform
