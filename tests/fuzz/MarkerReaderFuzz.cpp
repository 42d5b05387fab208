// Feeds arbitrary bytes to the main window's Marker file reader. Every input
// must end either as loaded rows or as exactly one of the reader's three
// messages, with no partial list left behind. Whatever loads must survive a
// save: written and read again it gives the same rows, and written again
// the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/Form_Tarvik.h"
#include "platform/memory/FakeDesktop.h"
#include "platform/memory/MemoryFiles.h"
#include "platform/memory/MemoryFormWindow.h"
#include "platform/memory/MemoryServices.h"
#include "platform/memory/MemoryXml.h"

namespace {

using namespace tarvik;

class NoWindows : public app::ProgramWindows {
 public:
  void ShowAbout() override {}
  void UnloadOtherForms() override {}
  void ShowTransitWindow() override {}
  void HideTransitWindow() override {}
};

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

std::vector<std::string> Rows(platform::memory::MemoryFormWindow& window) {
  return window.GetList("List_Entire").Items();
}

// Writes the loaded list, reads the file back into the window and writes
// that again.
void CheckSurvivesASave(app::Form_Tarvik& form, platform::memory::MemoryFormWindow& window,
                        platform::memory::MemoryFiles& files,
                        platform::memory::ScriptedMessageBoxes& messages) {
  const std::vector<std::string> loaded = Rows(window);
  Check(form.WriteMarkerFile("C:\\first.mkr") == platform::FileStatus::Ok);
  const std::size_t shown = messages.History().size();
  form.ReadMarkerFile("C:\\first.mkr");
  Check(Rows(window) == loaded);
  Check(messages.History().size() == shown + (loaded.empty() ? 1 : 0));
  Check(form.WriteMarkerFile("C:\\second.mkr") == platform::FileStatus::Ok);
  Check(files.Get("C:\\first.mkr") == files.Get("C:\\second.mkr"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::memory::MemoryFormWindow window;
  platform::memory::MemorySettingsStore store;
  platform::memory::ScriptedMessageBoxes messages;
  platform::memory::FakeSystem system;
  platform::memory::MemoryFiles files;
  platform::memory::ScriptedFileDialogs dialogs;
  platform::memory::FakeDesktop desktop;
  platform::memory::MemoryXmlDocuments xml(files);
  target::Module1 finder(desktop);
  NoWindows windows;
  app::Form_Tarvik form(window,
                        app::Services{store, messages, system, windows, files, dialogs, finder, xml});
  form.Form_Load();

  const std::string path = "C:\\fuzz.mkr";
  files.Put(path, std::vector<std::uint8_t>(data, data + size));
  form.ReadMarkerFile(path);

  const auto& shown = messages.History();
  const int rows = window.GetList("List_Entire").Count();
  Check(shown.size() <= 1);
  if (shown.empty()) {
    Check(rows > 0);
    CheckSurvivesASave(form, window, files, messages);
    return 0;
  }
  const std::string text = shown.front().text;
  Check(text.rfind(path + "\r", 0) == 0);
  if (EndsWith(text, "has no waypoints.")) {
    Check(rows == 0);
    CheckSurvivesASave(form, window, files, messages);
  } else if (EndsWith(text, "has incorrect format.")) {
    Check(rows == 0);
    Check(window.Caption() == "untitled");
  } else {
    Check(EndsWith(text, "Not Found or is not Unicode format."));
    Check(size < 2 || data[0] != 0xFF || data[1] != 0xFE);
  }
  return 0;
}
