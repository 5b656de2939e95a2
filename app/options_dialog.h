#pragma once

#include <final/final.h>

#include <optional>

#include "app/input_line.h"
#include "app/fixed_window.h"
#include "app/options_record.h"
#include "common/conversion_options.h"

namespace orvano::app {

// The modal Options dialog: two address lines and the Write wave box.
class OptionsDialog final : public FixedWindow {
 public:
  explicit OptionsDialog(finalcut::FWidget* desktop);

  // Shows the options, runs the dialog and gives back the new options, or
  // nothing when the user cancelled (Cancel, Esc or the close icon).
  std::optional<ConversionOptions> Run(const ConversionOptions& options);

 protected:
  void CloseIconClicked() override { done(ResultCode::Reject); }

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
  finalcut::FCheckBox write_wave_{this};
  finalcut::FButton ok_{this};
  finalcut::FButton cancel_{this};
  std::optional<ConversionOptions> accepted_;
};

}  // namespace orvano::app
