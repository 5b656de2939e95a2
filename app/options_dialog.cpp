#include "app/options_dialog.h"

#include <string>

#include "app/message_box.h"

namespace orvano::app {
namespace {

constexpr int kWidth = 34;
constexpr int kHeight = 13;  // twelve rows and the toolkit's title bar

std::string Narrow(const finalcut::FString& text) {
  std::string out;
  for (const wchar_t c : text.toWString()) out += c < 0x100 ? static_cast<char>(c) : '?';
  return out;
}

}  // namespace

OptionsDialog::OptionsDialog(finalcut::FWidget* desktop) : FixedWindow(desktop) {
  setText("Options");
  const int desktop_height = static_cast<int>(getDesktopHeight()) - 2;
  const int x = std::max(1, (static_cast<int>(getDesktopWidth()) - kWidth) / 2 + 1);
  const int y = 1 + std::max(0, (desktop_height - kHeight) / 2);
  setGeometry(finalcut::FPoint{x, y}, finalcut::FSize{kWidth, kHeight}, false);

  for (InputLine* edit : {&load_edit_, &start_edit_}) {
    edit->setMaxLength(OptionsRecord::kAddressLength);
    edit->unsetShadow();
    edit->addCallback("activate", [this] { OnOk(); });
  }
  load_edit_.setGeometry(finalcut::FPoint{17, 2}, finalcut::FSize{8, 1}, false);
  start_edit_.setGeometry(finalcut::FPoint{17, 4}, finalcut::FSize{8, 1}, false);
  load_label_.setText("LoadAddr = ");
  load_label_.setGeometry(finalcut::FPoint{2, 2}, finalcut::FSize{13, 1}, false);
  start_label_.setText("StartAddr = ");
  start_label_.setGeometry(finalcut::FPoint{2, 4}, finalcut::FSize{13, 1}, false);
  write_wave_.setText("&Write wave");
  write_wave_.setGeometry(finalcut::FPoint{2, 6}, finalcut::FSize{23, 1}, false);
  ok_.setText("O&K");
  ok_.setGeometry(finalcut::FPoint{6, 9}, finalcut::FSize{9, 1}, false);
  ok_.addCallback("clicked", [this] { OnOk(); });
  cancel_.setText("Cancel");
  cancel_.setGeometry(finalcut::FPoint{18, 9}, finalcut::FSize{9, 1}, false);
  cancel_.addCallback("clicked", [this] { done(ResultCode::Reject); });
}

void OptionsDialog::SetRecord(const OptionsRecord& record) {
  load_edit_.setText(finalcut::FString{record.load_text});
  start_edit_.setText(finalcut::FString{record.start_text});
  write_wave_.setChecked((record.check_boxes & 1u) != 0);
}

OptionsRecord OptionsDialog::GetRecord() const {
  return OptionsRecord{Narrow(load_edit_.getText()), Narrow(start_edit_.getText()),
                       static_cast<std::uint16_t>(write_wave_.isChecked() ? 1 : 0)};
}

InputLine& OptionsDialog::EditOf(OptionsField field) {
  return field == OptionsField::LoadAddr ? load_edit_ : start_edit_;
}

void OptionsDialog::OnOk() {
  const auto result = ReadRecord(GetRecord());
  if (const auto* options = std::get_if<ConversionOptions>(&result)) {
    accepted_ = *options;
    done(ResultCode::Accept);
    return;
  }
  // The dialog stays open, tells which field is wrong and goes back to it.
  const OptionsField field = std::get<OptionsField>(result);
  ShowMessage(this, "Options", NotANumberText(field));
  // The toolkit gives the focus back to whatever it remembers for the
  // window when the nested box closes; it must remember the wrong field.
  InputLine& edit = EditOf(field);
  setWindowFocusWidget(&edit);
  edit.unsetFocus();
  edit.setFocus();
  edit.SetFreshText(edit.getText());
  redraw();
}

std::optional<ConversionOptions> OptionsDialog::Run(const ConversionOptions& options) {
  SetRecord(RecordOf(options));
  accepted_.reset();
  load_edit_.setFocus();
  const ResultCode result = RunModal();
  if (result != ResultCode::Accept) return std::nullopt;
  return accepted_;
}

}  // namespace orvano::app
