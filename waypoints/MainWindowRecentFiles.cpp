// The Recent Files entries at the end of the main window's File menu.
#include "app/Form_Tarvik.h"
#include "waypoints/DocumentPaths.h"

namespace tarvik::app {

namespace {

constexpr const char* kRecentSection = "MRUFiles";
constexpr std::int32_t kHighestRecentIndex = 3;

}  // namespace

std::string Form_Tarvik::RecentCaption(std::int32_t index) const {
  return c_.Menu_FileRecent[static_cast<size_t>(index)]->Caption();
}

void Form_Tarvik::RecordRecentFile(const std::string& path) {
  std::int32_t found = MRULastIndex_ == -1 ? -1 : FindRecentFile(path);
  if (found >= 0) MoveRecentFileToTop(path, found);
  else AddRecentFile(path);
}

std::int32_t Form_Tarvik::FindRecentFile(const std::string& path) const {
  for (std::int32_t i = 0; i <= MRULastIndex_; ++i) {
    if (waypoints::EqualIgnoringCase(RecentCaption(i), path)) return i;
  }
  return -1;
}

void Form_Tarvik::AddRecentFile(const std::string& path) {
  if (MRULastIndex_ < kHighestRecentIndex) {
    ++MRULastIndex_;
    auto index = static_cast<size_t>(MRULastIndex_);
    if (index >= c_.Menu_FileRecent.size()) {
      platform::MenuDesign layout{"Menu_FileRecent_" + std::to_string(index), "", "Menu_File", false,
                              true};
      platform::MenuItem& entry = window_.AddMenuItem(layout);
      auto click_index = static_cast<std::int16_t>(index);
      entry.OnClick(Guarded([this, click_index] { Menu_FileRecent_Click(click_index); }));
      c_.Menu_FileRecent.push_back(&entry);
    }
    c_.Menu_FileRecent[index]->SetVisible(true);
    c_.Bar->SetVisible(true);
  }
  for (std::int32_t i = MRULastIndex_; i >= 1; --i) {
    c_.Menu_FileRecent[static_cast<size_t>(i)]->SetCaption(RecentCaption(i - 1));
  }
  c_.Menu_FileRecent[0]->SetCaption(path);
}

void Form_Tarvik::MoveRecentFileToTop(const std::string& path, std::int32_t index) {
  for (std::int32_t i = index; i >= 1; --i) {
    c_.Menu_FileRecent[static_cast<size_t>(i)]->SetCaption(RecentCaption(i - 1));
  }
  c_.Menu_FileRecent[0]->SetCaption(path);
}

void Form_Tarvik::LoadRecentFiles() {
  std::vector<std::string> paths;
  for (int key = 0;; ++key) {
    auto value = services_.settings.Read(kRecentSection, std::to_string(key));
    if (!value || value->empty()) break;
    paths.push_back(*value);
  }
  // Oldest first, so that key "0" ends on top.
  for (auto path = paths.rbegin(); path != paths.rend(); ++path) RecordRecentFile(*path);
}

void Form_Tarvik::SaveRecentFiles() {
  for (std::int32_t i = 0; i <= MRULastIndex_; ++i) {
    services_.settings.Write(kRecentSection, std::to_string(i), RecentCaption(i));
  }
}

void Form_Tarvik::Menu_FileRecent_Click(std::int16_t index) {
  // Taken now: a Save As from the Update question records its file on top
  // and so moves every entry down.
  const std::string path = RecentCaption(index);
  if (!OfferToSaveChanges()) return;
  document_.IsDirty = false;
  ReadMarkerFile(path);
}

}  // namespace tarvik::app
