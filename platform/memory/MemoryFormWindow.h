#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/FormWindow.h"
#include "platform/memory/MemoryControls.h"

namespace tarvik::platform::memory {

struct MemoryFrame {
  Twips border = 60;           // each side
  Twips title_and_menu = 600;  // caption bar plus menu bar
};

// A top-level window without a screen: it keeps its outer rectangle and
// derives the client area from a frame whose sizes a test chooses.
class MemoryFormWindow : public FormWindow {
 public:
  using Frame = MemoryFrame;

  MemoryFormWindow() = default;
  explicit MemoryFormWindow(Frame frame);

  Control& AddControl(const ControlDesign& layout) override;
  ListControl& AddList(const ControlDesign& layout) override;
  MenuItem& AddMenuItem(const MenuDesign& layout) override;

  std::string Caption() const override { return caption_; }
  void SetCaption(std::string_view caption) override { caption_ = caption; }

  Twips Left() const override { return rect_.left; }
  Twips Top() const override { return rect_.top; }
  Twips Width() const override { return rect_.width; }
  Twips Height() const override { return rect_.height; }
  void SetLeft(Twips left) override { rect_.left = left; }
  void SetTop(Twips top) override { rect_.top = top; }
  void SetWidth(Twips width) override { rect_.width = width; }
  void SetHeight(Twips height) override { rect_.height = height; }
  Twips ClientWidth() const override;
  Twips ClientHeight() const override;

  bool IsMinimized() const override { return minimized_; }
  bool IsNormal() const override { return !minimized_; }
  void SetTopmost(bool topmost) override;

  std::vector<TwipsRect> MonitorWorkAreas() const override { return monitors_; }
  // Memory controls have no font, so nothing outgrows its design; a test
  // says how much a wider font would add.
  void FitClientWidthToControls(Twips) override { rect_.width += font_overflow_; }
  void SetFontOverflow(Twips width) { font_overflow_ = width; }

  void SetTimerHandler(std::function<void()> tick) override { tick_ = std::move(tick); }
  void SetTimerInterval(int milliseconds) override { timer_interval_ = milliseconds; }
  void SetTimerEnabled(bool enabled) override { timer_enabled_ = enabled; }
  bool TimerEnabled() const override { return timer_enabled_; }
  int TimerInterval() const override { return timer_interval_; }
  // One tick, as the window system would deliver it; false when disabled.
  bool FireTimer() {
    if (!timer_enabled_ || !tick_) return false;
    tick_();
    return true;
  }

  void OnCloseRequest(std::function<void()> handler) override;
  void OnFilesDropped(std::function<void(const DroppedFiles&)> handler) override {
    on_drop_ = std::move(handler);
  }
  void Show() override { shown_ = true; }
  void Hide() override { shown_ = false; }
  void Destroy() override;

  // What a test drives and inspects.
  MemoryControl& Get(std::string_view name) const;
  MemoryList& GetList(std::string_view name) const;
  MemoryMenuItem& Menu(std::string_view name) const;
  std::vector<const MemoryMenuItem*> MenuChildren(std::string_view parent) const;
  bool Topmost() const { return topmost_; }
  const std::vector<bool>& TopmostCalls() const { return topmost_calls_; }
  bool Shown() const { return shown_; }
  bool Destroyed() const { return destroyed_; }
  void SetMinimized(bool minimized) { minimized_ = minimized; }
  void SetMonitors(std::vector<TwipsRect> monitors) { monitors_ = std::move(monitors); }
  void UserClose();
  // The user drops files on the window; false when it takes no drops.
  bool DropFiles(const DroppedFiles& paths);

 private:
  Frame frame_{};
  std::string caption_;
  TwipsRect rect_{0, 0, 6000, 4500};
  bool minimized_ = false;
  Twips font_overflow_ = 0;
  bool topmost_ = false;
  bool shown_ = false;
  bool destroyed_ = false;
  std::vector<bool> topmost_calls_;
  std::vector<TwipsRect> monitors_{{0, 0, 28800, 16200}};
  std::function<void()> on_close_;
  std::function<void(const DroppedFiles&)> on_drop_;
  std::function<void()> tick_;
  int timer_interval_ = 0;
  bool timer_enabled_ = false;
  std::vector<std::unique_ptr<MemoryControl>> controls_;
  std::vector<std::unique_ptr<MemoryList>> lists_;
  std::vector<std::unique_ptr<MemoryMenuItem>> menu_;
};

}  // namespace tarvik::platform::memory
