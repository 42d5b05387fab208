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
  GoToOwner& owner;
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

// The degrees in a field, signed by its hemisphere; nullopt, with the
// reason in `refusal`, when the field holds anything but a number or the
// number lies beyond `limit`.
std::optional<double> Degrees(HWND dialog, int field, const wchar_t* name, int hemisphere_list,
                              int negative_item, double limit, std::wstring& refusal) {
  const std::wstring text = TextOf(GetDlgItem(dialog, field));
  const auto value = WholeNumber(text);
  if (!value) {
    refusal = std::wstring(name) + L" \"" + text + L"\" is not a number";
    return std::nullopt;
  }
  if (*value < 0 || *value > limit) {
    refusal = std::wstring(name) + L" " + text + L" is off the map";
    return std::nullopt;
  }
  const auto item = SendDlgItemMessageW(dialog, hemisphere_list, CB_GETCURSEL, 0, 0);
  return item == negative_item ? -*value : *value;
}

// Enter: moves to the typed position or refuses it; the dialog stays.
void GoToTyped(HWND dialog, DialogState& state) {
  std::wstring refusal;
  const auto latitude =
      Degrees(dialog, IDC_LATITUDE, L"latitude", IDC_NORTH_SOUTH, kSouth, 90, refusal);
  const auto longitude =
      latitude ? Degrees(dialog, IDC_LONGITUDE, L"longitude", IDC_WEST_EAST, kWest, 180, refusal)
               : std::nullopt;
  if (!latitude || !longitude) return state.owner.Refuse(refusal);
  state.position = {*latitude, *longitude};
  state.owner.MoveTo(state.position);
}

INT_PTR HandleDialogMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lparam);
    Initialise(dialog, reinterpret_cast<DialogState*>(lparam)->position);
    return FALSE;  // the focus is set already
  }
  auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (message != WM_COMMAND || !state) return FALSE;
  if (LOWORD(wparam) == IDOK) GoToTyped(dialog, *state);
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

void RunGoTo(HWND owner_window, MapPosition current, GoToOwner& owner) {
  DialogState state{current, owner};
  DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_GO_TO), owner_window,
                  &GoToProcedure, reinterpret_cast<LPARAM>(&state));
}

}  // namespace tarvik::standins::usaphotomaps
