#include "app/file_dialog.h"

#include <filesystem>
#include <system_error>

namespace orvano::app {
namespace {

constexpr int kWidth = 52;
constexpr int kHeight = 20;

std::string Narrow(const finalcut::FString& text) { return text.toString(); }

std::string CurrentDirectory() {
  std::error_code error;
  const auto path = std::filesystem::current_path(error);
  return error ? std::string("/") : path.string();
}

// The modal list of the names the file dialogs were closed with.
class HistoryPicker final : public FixedWindow {
 public:
  HistoryPicker(finalcut::FWidget* parent, const std::vector<std::string>& items) : FixedWindow(parent) {
    setText("History");
    const int height = static_cast<int>(std::min<std::size_t>(items.size(), 10)) + 5;
    const int x = std::max(1, (static_cast<int>(getDesktopWidth()) - kWidth) / 2 + 1);
    setGeometry(finalcut::FPoint{x, 4}, finalcut::FSize{kWidth, static_cast<std::size_t>(height)}, false);
    list_.setGeometry(finalcut::FPoint{1, 1}, finalcut::FSize{kWidth - 2, static_cast<std::size_t>(height - 3)}, false);
    for (const std::string& item : items) list_.insert(finalcut::FString{item});
    list_.addCallback("clicked", [this] {
      choice_ = Narrow(list_.getItem(list_.currentItem()).getText());
      done(ResultCode::Accept);
    });
  }

  std::optional<std::string> Run() {
    list_.setFocus();
    if (RunModal() != ResultCode::Accept) return std::nullopt;
    return choice_;
  }

 protected:
  void CloseIconClicked() override { done(ResultCode::Reject); }

 private:
  finalcut::FListBox list_{this};
  std::optional<std::string> choice_;
};

}  // namespace

FileDialog::FileDialog(finalcut::FWidget* desktop, std::string mask, HistoryList& history)
    : FixedWindow(desktop), mask_(std::move(mask)), history_(history) {
  setText("Open file");
  const int desktop_height = static_cast<int>(getDesktopHeight()) - 2;
  const int x = std::max(1, (static_cast<int>(getDesktopWidth()) - kWidth) / 2 + 1);
  const int y = 1 + std::max(0, (desktop_height - kHeight) / 2);
  setGeometry(finalcut::FPoint{x, y}, finalcut::FSize{kWidth, kHeight}, false);

  name_edit_.setLabelText("&File name");
  name_edit_.setLabelOrientation(finalcut::FLineEdit::LabelOrientation::Above);
  name_edit_.setGeometry(finalcut::FPoint{3, 2}, finalcut::FSize{33, 1}, false);
  name_edit_.setMaxLength(255);
  name_edit_.addCallback("activate", [this] { Accept(); });
  history_button_.setText(finalcut::FString{std::wstring(1, L'\u2193')});
  history_button_.setGeometry(finalcut::FPoint{37, 2}, finalcut::FSize{3, 1}, false);
  history_button_.setNoUnderline();
  history_button_.addCallback("clicked", [this] { PickFromHistory(); });

  list_.setText("Files");
  list_.setGeometry(finalcut::FPoint{3, 5}, finalcut::FSize{33, 11}, false);
  list_.addCallback("clicked", [this] { OnListChoice(); });
  list_.addCallback("row-changed", [this] { OnListMove(); });

  open_.setText("&Open");
  open_.setGeometry(finalcut::FPoint{39, 5}, finalcut::FSize{10, 1}, false);
  open_.addCallback("clicked", [this] { Accept(); });
  ok_.setText("O&K");
  ok_.setGeometry(finalcut::FPoint{39, 8}, finalcut::FSize{10, 1}, false);
  ok_.addCallback("clicked", [this] { Accept(); });
  cancel_.setText("Cancel");
  cancel_.setGeometry(finalcut::FPoint{39, 11}, finalcut::FSize{10, 1}, false);
  cancel_.addCallback("clicked", [this] { done(ResultCode::Reject); });

  directory_label_.setGeometry(finalcut::FPoint{3, 16}, finalcut::FSize{kWidth - 5, 1}, false);
  ShowDirectory(CurrentDirectory());
  name_edit_.setText(finalcut::FString{mask_});
}

void FileDialog::ShowDirectory(std::string directory) {
  directory_ = std::move(directory);
  entries_ = ListEntries(directory_, mask_);
  list_.clear();
  for (const DirectoryEntry& entry : entries_) {
    list_.insert(finalcut::FString{entry.is_directory ? entry.name + "/" : entry.name});
  }
  std::string shown = directory_;
  const std::size_t room = kWidth - 5;
  if (shown.size() > room) shown = "..." + shown.substr(shown.size() - (room - 3));
  directory_label_.setText(finalcut::FString{shown});
  list_.redraw();
  directory_label_.redraw();
}

void FileDialog::TakeFile(std::string path) {
  history_.Add(path);
  chosen_ = std::move(path);
  done(ResultCode::Accept);
}

void FileDialog::Accept() {
  const TypedChoice choice = ResolveTyped(directory_, Narrow(name_edit_.getText()));
  switch (choice.kind) {
    case TypedChoice::Kind::None:
      return;
    case TypedChoice::Kind::Mask:
      mask_ = choice.mask;
      ShowDirectory(choice.path);
      name_edit_.SetFreshText(finalcut::FString{mask_});
      return;
    case TypedChoice::Kind::Directory:
      ShowDirectory(choice.path);
      name_edit_.SetFreshText(finalcut::FString{mask_});
      return;
    case TypedChoice::Kind::File:
      TakeFile(choice.path);
      return;
  }
}

void FileDialog::OnListChoice() {
  const std::size_t index = list_.currentItem();
  if (index == 0 || index > entries_.size()) return;
  const DirectoryEntry& entry = entries_[index - 1];
  const TypedChoice choice = ResolveTyped(directory_, entry.name);
  if (entry.is_directory) {
    ShowDirectory(choice.path);
    name_edit_.SetFreshText(finalcut::FString{mask_});
    return;
  }
  TakeFile(choice.path);
}

void FileDialog::OnListMove() {
  const std::size_t index = list_.currentItem();
  if (index == 0 || index > entries_.size()) return;
  const DirectoryEntry& entry = entries_[index - 1];
  if (entry.is_directory) return;
  name_edit_.SetFreshText(finalcut::FString{entry.name});
}

void FileDialog::PickFromHistory() {
  if (history_.Items().empty()) return;
  HistoryPicker picker(this, history_.Items());
  const auto picked = picker.Run();
  if (picked) {
    name_edit_.SetFreshText(finalcut::FString{*picked});
  }
  // The toolkit does not give the focus back after a nested modal dialog.
  setWindowFocusWidget(&name_edit_);
  name_edit_.unsetFocus();
  name_edit_.setFocus();
  redraw();
}

void FileDialog::onKeyPress(finalcut::FKeyEvent* ev) {
  // Down in the input line opens the history, as in the toolkit's own
  // dialogs with a history list.
  if (ev->key() == finalcut::FKey::Down && name_edit_.hasFocus()) {
    ev->accept();
    PickFromHistory();
    return;
  }
  FixedWindow::onKeyPress(ev);
}

std::optional<std::string> FileDialog::Run() {
  name_edit_.setFocus();
  if (RunModal() != ResultCode::Accept) return std::nullopt;
  return chosen_;
}

}  // namespace orvano::app
