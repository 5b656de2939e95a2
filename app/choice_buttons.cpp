#include "app/choice_buttons.h"

#include "app/choice_row.h"
#include "app/cp866.h"
#include "app/oem_text.h"

namespace orvano::app {
namespace {

constexpr std::uint8_t kDot = 0x07;  // the small round bullet of the code page

}  // namespace

ChoiceButtons::ChoiceButtons(finalcut::FWidget* parent, std::span<const std::string_view> labels)
    : finalcut::FWidget(parent), labels_(labels) {
  setFocusable();
}

void ChoiceButtons::Choose(std::size_t index) {
  if (index >= labels_.size() || index == chosen_) return;
  chosen_ = index;
  redraw();
}

void ChoiceButtons::onKeyPress(finalcut::FKeyEvent* ev) {
  switch (ev->key()) {
    case finalcut::FKey::Left:
      Choose(StepChoice(chosen_, -1, labels_.size()));
      break;
    case finalcut::FKey::Right:
      Choose(StepChoice(chosen_, 1, labels_.size()));
      break;
    case finalcut::FKey::Space:
      Choose((chosen_ + 1) % labels_.size());
      break;
    default:
      // Enter and the rest are the dialog's.
      ev->ignore();
      return;
  }
  ev->accept();
}

void ChoiceButtons::onMouseDown(finalcut::FMouseEvent* ev) {
  if (ev->getButton() != finalcut::MouseButton::Left) return;
  if (!hasFocus()) {
    setFocus();
    getParentWidget()->redraw();
  }
  if (const auto index = ChoiceAt(labels_, ev->getPos().getX())) Choose(*index);
}

void ChoiceButtons::onFocusIn(finalcut::FFocusEvent* ev) {
  finalcut::FWidget::onFocusIn(ev);
  redraw();
}

void ChoiceButtons::onFocusOut(finalcut::FFocusEvent* ev) {
  finalcut::FWidget::onFocusOut(ev);
  redraw();
}

void ChoiceButtons::draw() {
  const auto& theme = getColorTheme();
  setColor(theme->label_fg, theme->dialog_bg);
  print() << finalcut::FPoint{1, 1} << finalcut::FString{getWidth(), L' '};
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    const bool chosen = i == chosen_;
    // The chosen button of the focused row stands out as the focused field.
    if (chosen && hasFocus()) {
      setColor(theme->toggle_button_active_focus_fg, theme->toggle_button_active_focus_bg);
    } else {
      setColor(theme->toggle_button_active_fg, theme->toggle_button_active_bg);
    }
    std::wstring button = L"( ) " + WideText(labels_[i]);
    if (chosen) button[1] = static_cast<wchar_t>(Cp866ToUnicode(kDot));
    print() << finalcut::FPoint{ChoiceColumn(labels_, i), 1} << finalcut::FString{button};
  }
}

}  // namespace orvano::app
