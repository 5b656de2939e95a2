#pragma once

#include <final/final.h>

namespace orvano::app {

// A window that stays where it was put: it cannot be moved, resized,
// minimised or zoomed by the user, and its title-bar button is a close icon
// that acts on a single click, on release, instead of opening the toolkit's
// window menu.
class FixedWindow : public finalcut::FDialog {
 public:
  explicit FixedWindow(finalcut::FWidget* parent);
  ~FixedWindow() override;

  void move(const finalcut::FPoint&) override {}

 protected:
  // What the close icon does; a modal dialog ends itself as cancelled.
  virtual void CloseIconClicked() { close(); }

  void onMouseDown(finalcut::FMouseEvent* ev) override;
  void onMouseUp(finalcut::FMouseEvent* ev) override;
  void onMouseDoubleClick(finalcut::FMouseEvent* ev) override;
  void onMouseMove(finalcut::FMouseEvent* ev) override;

  // Shows the window on top and gives it the focus; show() alone does not.
  void Activate();

  // Runs the window as a modal dialog and hides it again. A window that is
  // still modal when hidden ends the event loop it runs in, which after the
  // dialog's own loop is the application's.
  ResultCode RunModal();

 private:
  static bool OnCloseIcon(const finalcut::FMouseEvent& ev);

  bool close_icon_pressed_ = false;
};

}  // namespace orvano::app
