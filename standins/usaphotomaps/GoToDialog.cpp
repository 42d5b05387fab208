#include "standins/usaphotomaps/GoToDialog.h"

#include <cmath>
#include <string>

#include "standins/common/Controls.h"
#include "standins/common/StandinText.h"
#include "standins/usaphotomaps/Resources.h"

namespace tarvik::standins::usaphotomaps {

namespace {

// Item order of the hemisphere lists.
constexpr int kNorth = 0;
constexpr int kSouth = 1;
constexpr int kWest = 0;
constexpr int kEast = 1;

struct DialogState {
  MapPosition position;
  bool accepted = false;
};

void FillHemispheres(HWND dialog, int list, const wchar_t* first, const wchar_t* second,
                     int chosen) {
  SendDlgItemMessageW(dialog, list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(first));
  SendDlgItemMessageW(dialog, list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(second));
  SendDlgItemMessageW(dialog, list, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
}

void Initialise(HWND dialog, const MapPosition& current) {
  SetDlgItemTextW(dialog, IDC_LATITUDE, Fixed(std::fabs(current.latitude), 5).c_str());
  SetDlgItemTextW(dialog, IDC_LONGITUDE, Fixed(std::fabs(current.longitude), 5).c_str());
  FillHemispheres(dialog, IDC_NORTH_SOUTH, L"North", L"South",
                  current.latitude < 0 ? kSouth : kNorth);
  FillHemispheres(dialog, IDC_WEST_EAST, L"West", L"East", current.longitude > 0 ? kEast : kWest);
  HWND latitude = GetDlgItem(dialog, IDC_LATITUDE);
  SetFocus(latitude);
  SendMessageW(latitude, EM_SETSEL, 0, -1);
}

std::optional<double> Degrees(HWND dialog, int field, int hemisphere_list, int negative_item,
                              double limit) {
  const auto value = LeadingNumber(TextOf(GetDlgItem(dialog, field)));
  if (!value || *value < 0 || *value > limit) return std::nullopt;
  const auto item = SendDlgItemMessageW(dialog, hemisphere_list, CB_GETCURSEL, 0, 0);
  return item == negative_item ? -*value : *value;
}

// The typed position, or nullopt when it is not on the map.
std::optional<MapPosition> TypedPosition(HWND dialog) {
  const auto latitude = Degrees(dialog, IDC_LATITUDE, IDC_NORTH_SOUTH, kSouth, 90);
  const auto longitude = Degrees(dialog, IDC_LONGITUDE, IDC_WEST_EAST, kWest, 180);
  if (!latitude || !longitude) return std::nullopt;
  return MapPosition{*latitude, *longitude};
}

void Accept(HWND dialog, DialogState& state) {
  const auto typed = TypedPosition(dialog);
  if (!typed) {
    MessageBeep(MB_ICONWARNING);
    return;
  }
  state.position = *typed;
  state.accepted = true;
  EndDialog(dialog, IDOK);
}

INT_PTR HandleDialogMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lparam);
    Initialise(dialog, reinterpret_cast<DialogState*>(lparam)->position);
    return FALSE;  // the focus is set already
  }
  auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (message != WM_COMMAND || !state) return FALSE;
  if (LOWORD(wparam) == IDOK) Accept(dialog, *state);
  if (LOWORD(wparam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
  return TRUE;
}

INT_PTR CALLBACK GoToProcedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  try {
    return HandleDialogMessage(dialog, message, wparam, lparam);
  } catch (...) {
    return FALSE;
  }
}

}  // namespace

std::optional<MapPosition> AskGoTo(HWND owner, MapPosition current) {
  DialogState state{current};
  DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_GO_TO), owner, &GoToProcedure,
                  reinterpret_cast<LPARAM>(&state));
  if (!state.accepted) return std::nullopt;
  return state.position;
}

}  // namespace tarvik::standins::usaphotomaps
