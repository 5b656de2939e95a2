#include "app/options_dialog.h"

#include <string>

#include "app/choice_row.h"
#include "app/message_box.h"
#include "app/oem_text.h"

namespace orvano::app {
namespace {

constexpr int kWidth = 54;
constexpr int kHeight = 16;  // fifteen rows and the toolkit's title bar
constexpr int kChoiceColumn = 13;

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

  const struct {
    finalcut::FLabel& label;
    ChoiceButtons& buttons;
    const char* text;
    OptionsChoice choice;
    int row;
  } rows[] = {{baud_label_, baud_, "&Baud", OptionsChoice::Baud, 8},
              {channel_label_, channel_, "&Channel", OptionsChoice::Channel, 9},
              {basic_label_, basic_, "B&ASIC", OptionsChoice::Basic, 10}};
  for (const auto& row : rows) {
    row.label.setText(row.text);
    row.label.setGeometry(finalcut::FPoint{2, row.row}, finalcut::FSize{kChoiceColumn - 3, 1}, false);
    row.label.setAccelWidget(&row.buttons);
    const auto width = static_cast<std::size_t>(ChoiceRowWidth(ChoiceLabels(row.choice)));
    row.buttons.setGeometry(finalcut::FPoint{kChoiceColumn, row.row}, finalcut::FSize{width, 1}, false);
  }

  ok_.setText("O&K");
  ok_.setGeometry(finalcut::FPoint{14, 12}, finalcut::FSize{9, 1}, false);
  ok_.addCallback("clicked", [this] { OnOk(); });
  cancel_.setText("Cancel");
  cancel_.setGeometry(finalcut::FPoint{28, 12}, finalcut::FSize{9, 1}, false);
  cancel_.addCallback("clicked", [this] { done(ResultCode::Reject); });
}

void OptionsDialog::SetRecord(const OptionsRecord& record) {
  load_edit_.setText(finalcut::FString{record.load_text});
  start_edit_.setText(finalcut::FString{record.start_text});
  write_wave_.setChecked((record.check_boxes & 1u) != 0);
  baud_.Choose(record.baud);
  channel_.Choose(record.channel);
  basic_.Choose(record.dialect);
}

OptionsRecord OptionsDialog::GetRecord() const {
  return OptionsRecord{Narrow(load_edit_.getText()),
                       Narrow(start_edit_.getText()),
                       static_cast<std::uint16_t>(write_wave_.isChecked() ? 1 : 0),
                       static_cast<std::uint16_t>(baud_.Chosen()),
                       static_cast<std::uint16_t>(channel_.Chosen()),
                       static_cast<std::uint16_t>(basic_.Chosen())};
}

void OptionsDialog::onKeyPress(finalcut::FKeyEvent* ev) {
  // What a field leaves alone of Enter accepts the dialog.
  if (IsEnter(ev->key())) {
    ev->accept();
    OnOk();
    return;
  }
  FixedWindow::onKeyPress(ev);
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
  ShowMessage(this, "Options", WideText(NotANumberText(field)));
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
