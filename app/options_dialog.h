#pragma once

#include <final/final.h>

#include <optional>

#include "app/check_box.h"
#include "app/choice_buttons.h"
#include "app/fixed_window.h"
#include "app/input_line.h"
#include "app/options_record.h"
#include "common/conversion_options.h"

namespace orvano::app {

// The modal Options dialog: two address lines, the Write wave box and the
// rows of choices for the baud rate, the channel and the BASIC. Tab goes
// from field to field, Enter accepts from any of them, Esc discards.
class OptionsDialog final : public FixedWindow {
 public:
  explicit OptionsDialog(finalcut::FWidget* desktop);

  // Shows the options, runs the dialog and gives back the new options, or
  // nothing when the user cancelled (Cancel, Esc or the close icon).
  std::optional<ConversionOptions> Run(const ConversionOptions& options);

 protected:
  void CloseIconClicked() override { done(ResultCode::Reject); }
  void onKeyPress(finalcut::FKeyEvent* ev) override;

 private:
  void SetRecord(const OptionsRecord& record);
  OptionsRecord GetRecord() const;
  void OnOk();
  InputLine& EditOf(OptionsField field);

  // Built in the order of the Tab key.
  InputLine load_edit_{this};
  InputLine start_edit_{this};
  finalcut::FLabel load_label_{this};
  finalcut::FLabel start_label_{this};
  CheckBox write_wave_{this};
  // A label listens for the end of the row its hot letter leads to, and
  // must still be there when the row goes: built before the rows, the
  // labels outlive them.
  finalcut::FLabel baud_label_{this};
  finalcut::FLabel channel_label_{this};
  finalcut::FLabel basic_label_{this};
  ChoiceButtons baud_{this, ChoiceLabels(OptionsChoice::Baud)};
  ChoiceButtons channel_{this, ChoiceLabels(OptionsChoice::Channel)};
  ChoiceButtons basic_{this, ChoiceLabels(OptionsChoice::Basic)};
  finalcut::FButton ok_{this};
  finalcut::FButton cancel_{this};
  std::optional<ConversionOptions> accepted_;
};

}  // namespace orvano::app
