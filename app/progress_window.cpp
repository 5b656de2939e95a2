#include "app/progress_window.h"

#include <string>

#include "app/cp866.h"
#include "app/oem_text.h"

namespace orvano::app {
namespace {

constexpr int kWindowWidth = 40;
constexpr int kWindowHeight = 10;  // nine rows and the toolkit's title bar
constexpr std::uint8_t kShade = 0xB1;
constexpr std::uint8_t kBlock = 0xDB;

}  // namespace

ProgressBar::ProgressBar(finalcut::FWidget* parent) : finalcut::FWidget(parent) { unsetFocusable(); }

void ProgressBar::SetCurrent(int value) {
  if (!cells_.SetCurrent(value)) return;
  redraw();
  forceTerminalUpdate();
}

void ProgressBar::draw() {
  const auto& theme = getColorTheme();
  setColor(theme->label_fg, theme->dialog_bg);
  std::wstring row(getWidth(), static_cast<wchar_t>(Cp866ToUnicode(kShade)));
  const std::size_t filled = std::min(row.size(), static_cast<std::size_t>(cells_.Shown()));
  std::fill_n(row.begin(), filled, static_cast<wchar_t>(Cp866ToUnicode(kBlock)));
  for (int y = 1; y <= static_cast<int>(getHeight()); ++y) print() << finalcut::FPoint{1, y} << finalcut::FString{row};
}

ProgressWindow::ProgressWindow(finalcut::FWidget* desktop, std::string_view title) : FixedWindow(desktop) {
  setText(finalcut::FString{WideText(title)});
  // Centred on the desktop, the rows between the menu bar and the status line.
  const int desktop_height = static_cast<int>(getDesktopHeight()) - 2;
  const int x = std::max(1, (static_cast<int>(getDesktopWidth()) - kWindowWidth) / 2 + 1);
  const int y = 1 + std::max(0, (desktop_height - kWindowHeight) / 2);
  setGeometry(finalcut::FPoint{x, y}, finalcut::FSize{kWindowWidth, kWindowHeight}, false);
  caption_.setGeometry(finalcut::FPoint{2, 2}, finalcut::FSize{36, 1}, false);
  caption_.setText("     Current operation progress       ");
  bar_.setGeometry(finalcut::FPoint{2, 4}, finalcut::FSize{ProgressBar::kWidth, 1}, false);
  cancel_.setText("&Cancel");
  cancel_.setGeometry(finalcut::FPoint{(kWindowWidth - 12) / 2, 6}, finalcut::FSize{11, 1}, false);
}

void ProgressWindow::SetText(std::string_view text) {
  caption_.setAlignment(finalcut::Align::Center);
  caption_.setText(finalcut::FString{WideText(text)});
  caption_.redraw();
  forceTerminalUpdate();
}

void ProgressWindow::Show() {
  show();
  Activate();
  forceTerminalUpdate();
}

void ProgressWindow::onKeyPress(finalcut::FKeyEvent* ev) {
  // Keys wait until the operation is over, and the window with it.
  ev->accept();
}

}  // namespace orvano::app
