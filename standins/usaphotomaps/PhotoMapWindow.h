#pragma once

#include <windows.h>

#include <string>

#include <utility>

#include "platform/win32/Handles.h"
#include "standins/common/Refusals.h"
#include "standins/usaphotomaps/GoToDialog.h"

namespace tarvik::standins::usaphotomaps {

// Tarvik finds USAPhotoMaps by this class name.
inline constexpr wchar_t kMainClass[] = L"USAPhotoMaps";

// The stand-in USAPhotoMaps: one window with a View menu whose "Go to ..."
// item (Alt+V, G) asks for a position and moves the map there. The map
// also shows the last position it refused.
class PhotoMapWindow final : public GoToOwner {
 public:
  // Refusals go into the file at `log_path`, if one is given.
  explicit PhotoMapWindow(std::wstring log_path) : refusals_(std::move(log_path)) {}
  PhotoMapWindow(const PhotoMapWindow&) = delete;
  PhotoMapWindow& operator=(const PhotoMapWindow&) = delete;

  bool Open();
  void MoveTo(MapPosition position) override;
  void Refuse(const std::wstring& what) override;

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  void GoTo();
  void ShowMap();

  Refusals refusals_;
  MapPosition position_;
  HWND map_ = nullptr;
  // Last, so that it goes first: the window's last messages find the rest
  // of the object still there.
  platform::win32::UniqueHwnd window_;
};

// "Position 48.50718 N, 111.86247 W": unsigned degrees with hemispheres.
std::wstring PositionText(MapPosition position);

}  // namespace tarvik::standins::usaphotomaps
