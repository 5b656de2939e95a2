#pragma once

#include <final/final.h>

#include <span>
#include <string_view>

namespace orvano::app {

// A row of radio buttons that is one field of a dialog: Tab comes to it and
// leaves it as a whole, Left and Right (or Space, which goes round) move the
// choice, a click picks a button, and Enter passes on to the dialog.
class ChoiceButtons final : public finalcut::FWidget {
 public:
  // The labels are the program's text and must outlive the row.
  ChoiceButtons(finalcut::FWidget* parent, std::span<const std::string_view> labels);

  std::size_t Chosen() const { return chosen_; }
  void Choose(std::size_t index);

 protected:
  void onKeyPress(finalcut::FKeyEvent* ev) override;
  void onMouseDown(finalcut::FMouseEvent* ev) override;
  void onFocusIn(finalcut::FFocusEvent* ev) override;
  void onFocusOut(finalcut::FFocusEvent* ev) override;

 private:
  void draw() override;

  std::span<const std::string_view> labels_;
  std::size_t chosen_ = 0;
};

}  // namespace orvano::app
