#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Control.h"
#include "platform/ControlDesign.h"
#include "platform/Twips.h"

namespace tarvik::platform {

// One top-level window of the program. Outer geometry includes the frame;
// all of it in twips on the virtual screen.
class FormWindow {
 public:
  virtual ~FormWindow() = default;

  // The window owns what it creates; references stay valid for its life.
  virtual Control& AddControl(const ControlDesign& layout) = 0;
  virtual ListControl& AddList(const ControlDesign& layout) = 0;
  virtual MenuItem& AddMenuItem(const MenuDesign& layout) = 0;

  virtual std::string Caption() const = 0;
  virtual void SetCaption(std::string_view caption) = 0;

  virtual Twips Left() const = 0;
  virtual Twips Top() const = 0;
  virtual Twips Width() const = 0;
  virtual Twips Height() const = 0;
  virtual void SetLeft(Twips left) = 0;
  virtual void SetTop(Twips top) = 0;
  virtual void SetWidth(Twips width) = 0;
  virtual void SetHeight(Twips height) = 0;
  virtual Twips ClientWidth() const = 0;
  virtual Twips ClientHeight() const = 0;

  virtual bool IsMinimized() const = 0;
  virtual bool IsNormal() const = 0;  // neither minimized nor maximized
  virtual void SetTopmost(bool topmost) = 0;

  // Work areas of the monitors, for keeping a restored window reachable.
  virtual std::vector<TwipsRect> MonitorWorkAreas() const = 0;

  // A desktop font wider than the design's makes texts run past the client
  // area's right edge: the client area then grows until every control ends
  // `right_margin` before it, and the controls that span it grow alike.
  virtual void FitClientWidthToControls(Twips right_margin) = 0;

  // The window's one periodic timer. Ticks arrive as events on the window's
  // thread while the timer is enabled; setting the interval keeps the state.
  virtual void SetTimerHandler(std::function<void()> tick) = 0;
  virtual void SetTimerInterval(int milliseconds) = 0;
  virtual void SetTimerEnabled(bool enabled) = 0;
  virtual bool TimerEnabled() const = 0;
  virtual int TimerInterval() const = 0;

  // Called when the user closes the window (close box, system menu, Alt+F4).
  // The handler decides; the window goes away only through Destroy().
  virtual void OnCloseRequest(std::function<void()> handler) = 0;
  // Files dropped on the window, from Explorer say, in the order the drop
  // lists them. The window takes drops only once a handler is set.
  using DroppedFiles = std::vector<std::string>;
  virtual void OnFilesDropped(std::function<void(const DroppedFiles&)> handler) = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void Destroy() = 0;
};

}  // namespace tarvik::platform
