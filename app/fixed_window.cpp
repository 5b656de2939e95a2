#include "app/fixed_window.h"

namespace orvano::app {

FixedWindow::FixedWindow(finalcut::FWidget* parent) : finalcut::FDialog(parent) {
  unsetResizeable();
  unsetMinimizable();
}

FixedWindow::~FixedWindow() {
  // The widgets of the derived window are gone by now, but the toolkit still
  // names one of them as this window's focus, and may name this window as
  // the previous one. Its own destructor then switches back to the
  // "previous" window and focuses that widget: a call into freed memory
  // whenever a nested dialog had made this window inactive once.
  setWindowFocusWidget(nullptr);
  setPreviousWindow(nullptr);
}

bool FixedWindow::OnCloseIcon(const finalcut::FMouseEvent& ev) {
  // The title-bar button takes the first three columns of the title bar.
  const finalcut::FPoint pos = ev.getPos();
  return pos.getY() == 1 && pos.getX() >= 1 && pos.getX() <= 3;
}

void FixedWindow::onMouseDown(finalcut::FMouseEvent* ev) {
  if (ev->getButton() == finalcut::MouseButton::Left && OnCloseIcon(*ev)) {
    close_icon_pressed_ = true;
    return;
  }
  close_icon_pressed_ = false;
  // A press on the title bar would start a move; the window stays put.
  if (ev->getPos().getY() == 1) {
    Activate();
    return;
  }
  finalcut::FDialog::onMouseDown(ev);
}

void FixedWindow::onMouseUp(finalcut::FMouseEvent* ev) {
  const bool pressed = close_icon_pressed_;
  close_icon_pressed_ = false;
  if (ev->getButton() == finalcut::MouseButton::Left && OnCloseIcon(*ev)) {
    if (pressed) CloseIconClicked();
    return;
  }
  if (ev->getPos().getY() == 1) return;
  finalcut::FDialog::onMouseUp(ev);
}

void FixedWindow::onMouseDoubleClick(finalcut::FMouseEvent* ev) {
  // The toolkit closes a window on a double click on its button, without
  // asking the window; the single click already did what the user meant.
  if (ev->getPos().getY() == 1) return;
  finalcut::FDialog::onMouseDoubleClick(ev);
}

void FixedWindow::onMouseMove(finalcut::FMouseEvent* ev) {
  if (close_icon_pressed_) return;
  finalcut::FDialog::onMouseMove(ev);
}

finalcut::FDialog::ResultCode FixedWindow::RunModal() {
  setModal();
  const ResultCode result = exec();
  unsetModal();
  hide();
  return result;
}

void FixedWindow::Activate() {
  finalcut::FWindow::raiseWindow(this);
  activateDialog();
  redraw();
}

}  // namespace orvano::app
