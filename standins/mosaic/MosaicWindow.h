#pragma once

#include <windows.h>

#include <string>
#include <utility>

#include "platform/win32/Handles.h"
#include "standins/common/Refusals.h"
#include "standins/mosaic/DegreeField.h"

namespace tarvik::standins::mosaic {

// Tarvik finds Mosaic by a title that begins with "Mosaic" and, inside it,
// a control bar of this class.
inline constexpr wchar_t kControlBarClass[] = L"AfxControlBar70s";

// The stand-in Mosaic: a frame with a control bar holding the coordinate
// pane, the map below it showing where the map is (and the last text it
// refused), and a second control bar along the bottom.
class MosaicWindow final : public DegreeFieldOwner {
 public:
  // Refusals go into the file at `log_path`, if one is given.
  explicit MosaicWindow(std::wstring log_path) : refusals_(std::move(log_path)) {}
  MosaicWindow(const MosaicWindow&) = delete;
  MosaicWindow& operator=(const MosaicWindow&) = delete;

  bool Open();
  // Moves the map; false, with nothing changed, for a place off the map.
  bool MoveMapTo(double latitude, double longitude);

  void Refuse(const std::wstring& what) override;

  LRESULT HandleFrameMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandlePaneMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  bool RegisterClasses();
  bool CreatePane();
  bool CreateLayerBar();
  void MoveMapToTypedPosition();
  void ShowMap();

  Refusals refusals_;
  std::wstring map_at_;
  HWND bar_ = nullptr;
  HWND layer_bar_ = nullptr;
  HWND pane_ = nullptr;
  HWND latitude_ = nullptr;
  HWND longitude_ = nullptr;
  HWND go_ = nullptr;
  HWND map_ = nullptr;
  // Last, so that it goes first: the window's last messages find the rest
  // of the object still there.
  platform::win32::UniqueHwnd frame_;
};

}  // namespace tarvik::standins::mosaic
