// Every command of the main window runs through one guard: an exception
// that escapes a command puts the document back as it was before the
// command, is reported in a warning, and the program goes on. The entire
// list is not copied beforehand: it notes the command's changes and takes
// them back, a replacement of every row included. A command that ends
// becomes a step of Undo, and the saved state, the Edit menu and the
// recovery copy follow.
#include <array>

#include "app/AppInfo.h"
#include "app/Form_Tarvik.h"
#include "platform/CommandFailure.h"

namespace tarvik::app {

struct Form_Tarvik::Snapshot {
  std::vector<std::string> recent_rows;  // eleven at most
  std::array<std::string, 3> entry_texts;
  waypoints::Waypoint current;
  std::string current_row;
  std::string last_row;
  bool suppress_recent_jump;
  bool first_route_editor_jump;
  DocumentState document;
  bool untitled;
  std::string caption;
  bool save_enabled;
  bool last_enabled;
  bool delete_enabled;
  bool unloading;
};

namespace {

void PutBackRows(platform::ListControl& list, const std::vector<std::string>& rows) {
  // Left alone when untouched, so that its selection stays too.
  if (platform::AllItems(list) == rows) return;
  const std::vector<std::string_view> views(rows.begin(), rows.end());
  list.SetItems(views);
}

// Counts the commands under way for as long as one runs.
class Running {
 public:
  explicit Running(int& count) : count_(count) { ++count_; }
  ~Running() { --count_; }
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;

 private:
  int& count_;
};

}  // namespace

std::function<void()> Form_Tarvik::Guarded(std::function<void()> command) {
  return [this, command = std::move(command)] { RunGuarded(command); };
}

std::function<bool(std::string_view)> Form_Tarvik::GuardedPaste(
    std::function<bool(std::string_view)> paste) {
  return [this, paste = std::move(paste)](std::string_view text) {
    // A paste that fails has been reported and undone: the box takes nothing.
    bool taken = true;
    RunGuarded([&] { taken = paste(text); });
    return taken;
  };
}

void Form_Tarvik::RunGuarded(const std::function<void()>& command) {
  // A handler raised from within a command (selecting a row of the recent
  // list runs its handler) is part of that command, which answers for it.
  if (running_commands_ > 0) return command();
  std::optional<Snapshot> before;
  std::exception_ptr failure;
  {
    Running running(running_commands_);
    try {
      entire_list_->BeginCommand();
      before = TakeSnapshot();
      command();
      entire_list_->EndCommand();
    } catch (...) {
      failure = std::current_exception();
    }
  }
  if (failure) {
    const std::string warning = platform::CommandFailureText(failure);
    try {
      if (before) Restore(*before);
    } catch (...) {
      // The window's own last resort reports what undoing could not mend.
      services_.messages.Warn(warning, kAppTitle);
      throw;
    }
    services_.messages.Warn(warning, kAppTitle);
  }
  AfterCommand();
}

void Form_Tarvik::AfterCommand() {
  // The window has gone: nothing of it is left to show.
  if (unloading_) return;
  if (!document_.IsDirty) entire_list_->MarkSaved();
  ShowEditMenu();
  KeepRecoveryCopy();
}

Form_Tarvik::Snapshot Form_Tarvik::TakeSnapshot() const {
  return Snapshot{platform::AllItems(*c_.List_Recent),
                  {c_.Text_Waypoint->Caption(), c_.Text_Latitude->Caption(),
                   c_.Text_Longitude->Caption()},
                  Cur_,
                  CurrentRow_,
                  LastRow_,
                  SuppressRecentJump_,
                  IsFirstREJump_,
                  document_,
                  untitled_,
                  window_.Caption(),
                  c_.Menu_FileSave->Enabled(),
                  c_.Command_Last->Enabled(),
                  c_.Command_Delete->Enabled(),
                  unloading_};
}

void Form_Tarvik::Restore(const Snapshot& before) {
  entire_list_->TakeBackCommand();
  PutBackRows(*c_.List_Recent, before.recent_rows);
  c_.Text_Waypoint->SetCaption(before.entry_texts[0]);
  c_.Text_Latitude->SetCaption(before.entry_texts[1]);
  c_.Text_Longitude->SetCaption(before.entry_texts[2]);
  Cur_ = before.current;
  CurrentRow_ = before.current_row;
  LastRow_ = before.last_row;
  SuppressRecentJump_ = before.suppress_recent_jump;
  IsFirstREJump_ = before.first_route_editor_jump;
  document_ = before.document;
  untitled_ = before.untitled;
  window_.SetCaption(before.caption);
  c_.Menu_FileSave->SetEnabled(before.save_enabled);
  c_.Command_Last->SetEnabled(before.last_enabled);
  c_.Command_Delete->SetEnabled(before.delete_enabled);
  unloading_ = before.unloading;
}

}  // namespace tarvik::app
