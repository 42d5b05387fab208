#include "platform/win32/Win32FormWindow.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "app/Form_Tarvik.h"
#include "platform/memory/FakeDesktop.h"
#include "platform/memory/MemoryFiles.h"
#include "platform/memory/MemoryServices.h"
#include "platform/memory/MemoryXml.h"

namespace tarvik::platform::win32 {
namespace {

ControlDesign Layout(const char* name, ControlKind kind, int tab, const char* tip = "") {
  ControlDesign layout;
  layout.name = name;
  layout.kind = kind;
  layout.caption = name;
  layout.tooltip = tip;
  layout.rect = {120, 120, 1500, 255};
  layout.tab_index = tab;
  return layout;
}

BOOL CALLBACK StopAtToolTips(HWND hwnd, LPARAM out) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  if (lstrcmpiW(name, TOOLTIPS_CLASSW) != 0) return TRUE;
  *reinterpret_cast<HWND*>(out) = hwnd;
  return FALSE;
}

class Win32WindowTest : public ::testing::Test {
 protected:
  Win32WindowTest() {
    WindowOptions options;
    options.class_name = L"TarvikTestWindow";
    window = std::make_unique<Win32FormWindow>(options);
    dpi = static_cast<int>(GetDpiForWindow(window->Handle()));
  }
  void SendCommand(const ChildWindow& control, int code) {
    SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(control.Id(), code),
                 reinterpret_cast<LPARAM>(control.Hwnd()));
  }

  std::unique_ptr<Win32FormWindow> window;
  int dpi = 96;
};

TEST_F(Win32WindowTest, OuterGeometryIsKeptInTwipsAtTheWindowsDpi) {
  window->SetLeft(1000);
  window->SetTop(1500);
  window->SetWidth(4740);
  window->SetHeight(4935);
  RECT rect{};
  GetWindowRect(window->Handle(), &rect);
  EXPECT_EQ(rect.left, TwipsToPixels(1000, dpi));
  EXPECT_EQ(rect.top, TwipsToPixels(1500, dpi));
  EXPECT_EQ(rect.right - rect.left, TwipsToPixels(4740, dpi));
  EXPECT_EQ(rect.bottom - rect.top, TwipsToPixels(4935, dpi));
  EXPECT_NEAR(window->Width(), 4740, 1440.0 / dpi);
  EXPECT_LT(window->ClientHeight(), window->Height());

  window->SetClientSize(6000, 2340);
  EXPECT_NEAR(window->ClientWidth(), 6000, 1440.0 / dpi);
  EXPECT_NEAR(window->ClientHeight(), 2340, 1440.0 / dpi);
}

TEST_F(Win32WindowTest, ControlsArePlacedInTwipsAndStackedInTabOrder) {
  auto& later = window->AddControl(Layout("later", ControlKind::Button, 7));
  auto& first = window->AddControl(Layout("first", ControlKind::TextBox, 0));
  auto& middle = window->AddList(Layout("middle", ControlKind::ListBox, 3));
  auto stacking = [&] {
    std::vector<HWND> order;
    for (HWND child = GetWindow(window->Handle(), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
      order.push_back(child);
    }
    return order;
  };
  auto hwnd = [](Control& c) { return dynamic_cast<ChildWindow&>(c).Hwnd(); };
  EXPECT_EQ(stacking(), (std::vector<HWND>{hwnd(first), hwnd(middle), hwnd(later)}));

  // A roll bar lies above them all, wherever its tab index puts it, also
  // above a control added after it.
  ControlDesign bar_layout = Layout("bar", ControlKind::PictureButton, 5);
  bar_layout.above_all = true;
  auto& bar = window->AddControl(bar_layout);
  auto& last = window->AddControl(Layout("last", ControlKind::TextBox, 1));
  EXPECT_EQ(stacking(),
            (std::vector<HWND>{hwnd(bar), hwnd(first), hwnd(last), hwnd(middle), hwnd(later)}));

  later.SetTop(3120);
  later.SetWidth(735);
  RECT rect{};
  GetWindowRect(hwnd(later), &rect);
  MapWindowPoints(HWND_DESKTOP, window->Handle(), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect.top, TwipsToPixels(3120, dpi));
  EXPECT_EQ(rect.left, TwipsToPixels(120, dpi));
  EXPECT_EQ(rect.right - rect.left, TwipsToPixels(735, dpi));
  EXPECT_EQ(later.Top(), 3120);

  later.SetVisible(false);
  EXPECT_FALSE(later.Visible());
  EXPECT_FALSE(IsWindowVisible(hwnd(later)));
  later.SetEnabled(false);
  EXPECT_FALSE(later.Enabled());
  later.SetCaption("Wide \xE2\x86\x94 Narrow");
  EXPECT_EQ(later.Caption(), "Wide \xE2\x86\x94 Narrow");
}

TEST_F(Win32WindowTest, AListAnnouncesADifferentRowOnlyAndTheUsersClicks) {
  auto& list = window->AddList(Layout("List", ControlKind::ListBox, 0));
  int clicks = 0;
  list.OnClick([&] { ++clicks; });
  list.AddItem("b");
  list.AddItem("a", 0);
  list.AddItem("c");
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Item(0), "a");
  EXPECT_EQ(list.Item(2), "c");

  list.SetListIndex(1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(list.ListIndex(), 1);
  list.SetListIndex(1);
  EXPECT_EQ(clicks, 1) << "the row already selected raises nothing";

  // The user picks a row: the list box tells its parent.
  auto& child = dynamic_cast<ChildWindow&>(list);
  SendMessageW(child.Hwnd(), LB_SETCURSEL, 2, 0);
  SendCommand(child, LBN_SELCHANGE);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(list.ListIndex(), 2);

  list.RemoveItem(0);
  EXPECT_EQ(list.Item(0), "b");
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.ListIndex(), -1);
}

// A list box that has no room for a third row, as one that memory runs
// out for; otherwise the real one. It notes the last redraw switch.
WNDPROC list_box_procedure = nullptr;
bool redraw_on = true;

LRESULT CALLBACK FullAfterTwoRows(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_SETREDRAW) redraw_on = wparam != FALSE;
  const bool adds = message == LB_ADDSTRING || message == LB_INSERTSTRING;
  if (adds && CallWindowProcW(list_box_procedure, hwnd, LB_GETCOUNT, 0, 0) >= 2) {
    return LB_ERRSPACE;
  }
  return CallWindowProcW(list_box_procedure, hwnd, message, wparam, lparam);
}

TEST_F(Win32WindowTest, AListBoxWithoutRoomForARowThrowsAndDrawsAgain) {
  auto& list = window->AddList(Layout("List", ControlKind::ListBox, 0));
  HWND hwnd = dynamic_cast<ChildWindow&>(list).Hwnd();
  list_box_procedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FullAfterTwoRows)));
  const std::vector<std::string_view> rows = {"a", "b", "c"};
  EXPECT_THROW(list.SetItems(rows), std::bad_alloc);
  EXPECT_TRUE(redraw_on) << "the list is left not drawing";
  EXPECT_EQ(list.Count(), 2);
  EXPECT_THROW(list.AddItem("d", 0), std::bad_alloc);
  EXPECT_EQ(list.Item(0), "a") << "nothing was inserted";
  SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(list_box_procedure));
}

TEST_F(Win32WindowTest, ADropDownListRunsItsHandlerWhenTheProgramSelects) {
  auto& combo = window->AddList(Layout("Combo", ControlKind::DropDownList, 0));
  int clicks = 0;
  combo.OnClick([&] { ++clicks; });
  for (const char* app : {"MSTS RE", "Mosaic", "USAPhotoMaps"}) combo.AddItem(app);
  EXPECT_EQ(combo.ListIndex(), -1);
  combo.SetListIndex(0);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(combo.Item(2), "USAPhotoMaps");
}

TEST_F(Win32WindowTest, CheckBoxesToggleOnlyWhenClicked) {
  auto& check = window->AddControl(Layout("Check", ControlKind::CheckBox, 0, "Keep on top."));
  int clicks = 0;
  check.OnClick([&] { ++clicks; });
  check.SetValue(1);
  EXPECT_EQ(check.Value(), 1);
  EXPECT_EQ(clicks, 0);
  SendMessageW(dynamic_cast<ChildWindow&>(check).Hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(check.Value(), 0);
  EXPECT_EQ(clicks, 1);
}

TEST_F(Win32WindowTest, ToolTipsAndGlyphsAreAttached) {
  auto tip_window = [&] {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &StopAtToolTips, reinterpret_cast<LPARAM>(&found));
    return found;
  };
  ControlDesign roll = Layout("Roll", ControlKind::PictureButton, 0, "Roll up.");
  roll.glyph = Glyph::ArrowUp;
  auto& button = window->AddControl(roll);
  window->AddControl(Layout("Plain", ControlKind::Label, 1));
  HWND tips = tip_window();
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 1);
  button.SetToolTip("");
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 0);
  HWND hwnd = dynamic_cast<ChildWindow&>(button).Hwnd();
  EXPECT_NE(SendMessageW(hwnd, BM_GETIMAGE, IMAGE_ICON, 0), 0);
}

TEST_F(Win32WindowTest, HiddenMenuEntriesLeaveTheMenuAndComeBackInOrder) {
  window->AddMenuItem({"File", "&File", "", false});
  auto& open = window->AddMenuItem({"Open", "&Open", "File", false});
  auto& exit = window->AddMenuItem({"Exit", "Exit", "File", false});
  auto& recent = window->AddMenuItem({"Recent", "Recent Files", "File", false});
  HMENU file = GetSubMenu(GetMenu(window->Handle()), 0);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(GetMenuItemCount(file), 3);

  recent.SetVisible(false);
  EXPECT_EQ(GetMenuItemCount(file), 2);
  recent.SetCaption("C:\\Routes\\Pass.mkr");
  recent.SetVisible(true);
  wchar_t text[64] = {};
  GetMenuStringW(file, 2, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"C:\\Routes\\Pass.mkr");

  open.SetEnabled(false);
  EXPECT_TRUE(GetMenuState(file, 0, MF_BYPOSITION) & MF_GRAYED);
  int chosen = 0;
  exit.OnClick([&] { ++chosen; });
  UINT exit_id = GetMenuItemID(file, 1);
  SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(exit_id, 0), 0);
  EXPECT_EQ(chosen, 1);
  // A command posted for an entry the user cannot choose runs nothing.
  exit.SetEnabled(false);
  SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(exit_id, 0), 0);
  EXPECT_EQ(chosen, 1);
}

// Answers the first message box of this thread from another thread, as a
// user would, and keeps its title and text.
class MessageBoxAnswerer {
 public:
  MessageBoxAnswerer() : thread_id_(GetCurrentThreadId()), worker_([this] { Answer(); }) {}
  ~MessageBoxAnswerer() { Join(); }
  MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
  MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

  // Once the box was answered, or none came within five seconds.
  void Join() {
    if (worker_.joinable()) worker_.join();
  }

  std::wstring title;
  std::wstring text;
  bool owner_answered_meanwhile = false;

 private:
  static BOOL CALLBACK FindBox(HWND hwnd, LPARAM found) {
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, 16);
    if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
  }
  static std::wstring TextOf(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    int length = GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(length));
    return text;
  }
  void Answer() {
    HWND box = nullptr;
    for (int i = 0; i < 500 && !box; ++i) {
      EnumThreadWindows(thread_id_, &FindBox, reinterpret_cast<LPARAM>(&box));
      if (!box) Sleep(10);
    }
    if (!box) return;
    title = TextOf(box);
    text = TextOf(GetDlgItem(box, 0xFFFF));
    DWORD_PTR result = 0;
    owner_answered_meanwhile = SendMessageTimeoutW(GetWindow(box, GW_OWNER), WM_NULL, 0, 0,
                                                   SMTO_BLOCK, 1000, &result) != 0;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }

  DWORD thread_id_;
  std::thread worker_;
};

TEST_F(Win32WindowTest, AnExceptionNoHandlerCaughtIsReportedAndTheWindowGoesOn) {
  window->Show();
  auto& failing = window->AddControl(Layout("Failing", ControlKind::Button, 0));
  auto& working = window->AddControl(Layout("Working", ControlKind::Button, 1));
  failing.OnClick([] { throw std::runtime_error("boom"); });
  int worked = 0;
  working.OnClick([&] { ++worked; });

  MessageBoxAnswerer answerer;
  // Returns once the box it raised was answered.
  SendCommand(dynamic_cast<ChildWindow&>(failing), BN_CLICKED);
  answerer.Join();
  EXPECT_EQ(answerer.title, L"Tarvik");
  EXPECT_EQ(answerer.text, L"The command could not be completed: boom");
  EXPECT_TRUE(answerer.owner_answered_meanwhile);

  SendCommand(dynamic_cast<ChildWindow&>(working), BN_CLICKED);
  EXPECT_EQ(worked, 1);
  EXPECT_TRUE(window->Alive());
}

TEST_F(Win32WindowTest, ATimerTickThatThrowsIsReportedOnceAndStopsTheTimer) {
  int ticks = 0;
  window->SetTimerHandler([&] {
    ++ticks;
    throw std::bad_alloc();
  });
  window->SetTimerInterval(10);
  MessageBoxAnswerer answerer;
  window->SetTimerEnabled(true);
  const ULONGLONG until = GetTickCount64() + 400;
  while (GetTickCount64() < until) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(5);
  }
  answerer.Join();
  EXPECT_EQ(answerer.text, L"The command could not be completed: not enough memory.");
  EXPECT_EQ(ticks, 1) << "no second box under the first";
  EXPECT_FALSE(window->TimerEnabled());
}

TEST_F(Win32WindowTest, CloseRequestsGoToTheHandlerAndDestroyEndsTheWindow) {
  int requests = 0;
  bool destroyed = false;
  window->OnCloseRequest([&] { ++requests; });
  window->OnDestroyed([&] { destroyed = true; });
  SendMessageW(window->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(requests, 1);
  EXPECT_TRUE(window->Alive()) << "the handler decides";
  window->Destroy();
  EXPECT_FALSE(window->Alive());
  EXPECT_TRUE(destroyed);
}

// The main window's logic on a real window: rolling fits the client area
// to the bars with the frame Windows really draws.
class NoWindows : public app::ProgramWindows {
 public:
  void ShowAbout() override {}
  void UnloadOtherForms() override {}
  void ShowTransitWindow() override {}
  void HideTransitWindow() override {}
};

TEST_F(Win32WindowTest, TheMainWindowRollsToExactClientHeights) {
  memory::MemorySettingsStore store;
  memory::ScriptedMessageBoxes messages;
  memory::FakeSystem system;
  NoWindows windows;
  memory::MemoryFiles files;
  memory::ScriptedFileDialogs dialogs;
  memory::FakeDesktop desktop;
  target::Module1 finder{desktop};
  memory::MemoryXmlDocuments xml{files};
  app::Form_Tarvik form(*window,
                        app::Services{store, messages, system, windows, files, dialogs, finder, xml});
  form.Form_Load();
  RECT client{};
  GetClientRect(window->Handle(), &client);
  EXPECT_EQ(client.bottom, TwipsToPixels(4275, dpi));
  form.Command_Rollup_Click();
  GetClientRect(window->Handle(), &client);
  EXPECT_EQ(client.bottom, TwipsToPixels(195, dpi));
  form.Command_Width_Click();
  RECT outer{};
  GetWindowRect(window->Handle(), &outer);
  EXPECT_EQ(outer.right - outer.left, TwipsToPixels(2475, dpi));
  EXPECT_EQ(outer.bottom - outer.top, TwipsToPixels(4935, dpi));
}

}  // namespace
}  // namespace tarvik::platform::win32
