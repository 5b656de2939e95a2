#pragma once

#include <final/final.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/file_choice.h"
#include "app/fixed_window.h"
#include "app/history_list.h"
#include "app/input_line.h"

namespace orvano::app {

// The file dialog of Open, New and View: an input line for a typed name,
// the list of the directories and of the files that match the mask, the
// shared history list, and Open, OK and Cancel. It starts in the folder of
// the newest name in the history, and takes only a file it can read.
class FileDialog final : public FixedWindow {
 public:
  FileDialog(finalcut::FWidget* desktop, std::string_view title, std::string mask, HistoryList& history);

  // The full path of the chosen file, or nothing when cancelled.
  std::optional<std::string> Run();

 protected:
  void CloseIconClicked() override { done(ResultCode::Reject); }

 private:
  void ShowDirectory(std::string directory);
  void Accept();
  void OnListChoice();
  void OnListMove();
  void PickFromHistory();
  void TakeFile(std::string path);
  void FocusNameLine();
  void SetName(const std::string& name);
  std::string TypedName() const;

  std::string mask_;
  std::string directory_;
  HistoryList& history_;
  std::vector<DirectoryEntry> entries_;
  std::optional<std::string> chosen_;
  std::optional<std::string> name_;  // the last name put into the name line

  InputLine name_edit_{this};
  finalcut::FButton history_button_{this};
  finalcut::FListBox list_{this};
  finalcut::FButton open_{this};
  finalcut::FButton ok_{this};
  finalcut::FButton cancel_{this};
  finalcut::FLabel directory_label_{this};
};

}  // namespace orvano::app
