#include "FinderView.h"

#include <string>

#include "StandinProcess.h"

namespace tarvik::standins::testing {

namespace {

struct RouteEditorSearch {
  DWORD process_id;
  RouteEditorFinds finds;
  int position = 0;
};

void RecordLabel(RouteEditorSearch& search, HWND label) {
  HWND parent = GetParent(label);
  RouteEditorFinds& finds = search.finds;
  if (search.position == 11) {
    finds.camera = parent;
    ++finds.camera_finds;
  } else if (search.position == 3) {
    finds.object = parent;
    ++finds.object_finds;
  } else if (search.position == 5) {
    finds.placement = parent;
    ++finds.placement_finds;
  }
}

BOOL CALLBACK VisitDescendant(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<RouteEditorSearch*>(context);
  ++search.position;
  if (ClassOf(window) == L"Static" && TitleOf(window) == L"x:") RecordLabel(search, window);
  if (ClassOf(window) == L"msctls_updown32" && search.position == 31) {
    search.finds.spinner_parent = GetParent(window);
    ++search.finds.spinner_finds;
  }
  return TRUE;
}

BOOL CALLBACK VisitTopWindow(HWND top, LPARAM context) {
  auto& search = *reinterpret_cast<RouteEditorSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(top, &owner);
  if (owner != search.process_id) return TRUE;
  if (ClassOf(top) == L"TrainSim") search.finds.train_sim = top;
  search.position = 0;
  EnumChildWindows(top, &VisitDescendant, context);
  return TRUE;
}

struct FirstOfClass {
  std::wstring_view class_name;
  HWND found = nullptr;
};

BOOL CALLBACK StopAtClass(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<FirstOfClass*>(context);
  if (ClassOf(window) != search.class_name) return TRUE;
  search.found = window;
  return FALSE;
}

struct MosaicSearch {
  DWORD process_id;
  HWND main = nullptr;
};

BOOL CALLBACK StopAtMosaicTitle(HWND top, LPARAM context) {
  auto& search = *reinterpret_cast<MosaicSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(top, &owner);
  if (owner != search.process_id || !TitleOf(top).starts_with(L"Mosaic")) return TRUE;
  search.main = top;
  return FALSE;
}

}  // namespace

RouteEditorFinds FindRouteEditorWindows(DWORD process_id) {
  RouteEditorSearch search{process_id, {}};
  EnumWindows(&VisitTopWindow, reinterpret_cast<LPARAM>(&search));
  return search.finds;
}

MosaicFinds FindMosaicControls(DWORD process_id) {
  MosaicSearch search{process_id};
  EnumWindows(&StopAtMosaicTitle, reinterpret_cast<LPARAM>(&search));
  MosaicFinds finds;
  finds.main = search.main;
  if (!finds.main) return finds;
  finds.bar = FirstDescendantOfClass(finds.main, L"AfxControlBar70s");
  finds.pane = finds.bar ? GetWindow(finds.bar, GW_CHILD) : nullptr;
  for (int i = 0; i < 5; ++i) {
    const size_t slot = static_cast<size_t>(i);
    finds.k[slot] = NthChild(finds.pane, i + 1);
  }
  finds.latitude = finds.k[1] ? GetWindow(finds.k[1], GW_CHILD) : nullptr;
  finds.longitude = finds.k[3] ? GetWindow(finds.k[3], GW_CHILD) : nullptr;
  return finds;
}

HWND NthChild(HWND parent, int n) {
  HWND child = parent ? GetWindow(parent, GW_CHILD) : nullptr;
  for (int i = 1; i < n && child; ++i) child = GetWindow(child, GW_HWNDNEXT);
  return child;
}

HWND NthChildOfClass(HWND parent, std::wstring_view class_name, int n) {
  const std::wstring name(class_name);
  HWND child = nullptr;
  for (int i = 0; i < n; ++i) {
    child = FindWindowExW(parent, child, name.c_str(), nullptr);
    if (!child) return nullptr;
  }
  return child;
}

std::vector<std::wstring> ChildClasses(HWND parent) {
  std::vector<std::wstring> classes;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    classes.push_back(ClassOf(child));
  }
  return classes;
}

HWND FirstDescendantOfClass(HWND parent, std::wstring_view class_name) {
  FirstOfClass search{class_name};
  EnumChildWindows(parent, &StopAtClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace tarvik::standins::testing
