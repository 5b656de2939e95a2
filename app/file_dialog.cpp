#include "app/file_dialog.h"

#include <filesystem>
#include <system_error>

#include "app/message_box.h"
#include "app/oem_text.h"
#include "app/user_text.h"
#include "common/file_stream.h"
#include "common/messages.h"

namespace orvano::app {
namespace {

constexpr int kWidth = 52;
constexpr int kHeight = 20;

std::string PathText(const finalcut::FString& text) { return Utf8FromText(text.toWString()); }

finalcut::FString Shown(std::string_view path) { return finalcut::FString{TextFromUtf8(path)}; }

std::string CurrentDirectory() {
  std::error_code error;
  const auto path = std::filesystem::current_path(error);
  return error ? std::string("/") : path.string();
}

// The modal list of the names the file dialogs were closed with.
class HistoryPicker final : public FixedWindow {
 public:
  HistoryPicker(finalcut::FWidget* parent, const std::vector<std::string>& items) : FixedWindow(parent), items_(items) {
    setText("History");
    const int height = static_cast<int>(std::min<std::size_t>(items.size(), 10)) + 5;
    const int x = std::max(1, (static_cast<int>(getDesktopWidth()) - kWidth) / 2 + 1);
    setGeometry(finalcut::FPoint{x, 4}, finalcut::FSize{kWidth, static_cast<std::size_t>(height)}, false);
    list_.setGeometry(finalcut::FPoint{1, 1}, finalcut::FSize{kWidth - 2, static_cast<std::size_t>(height - 3)}, false);
    for (const std::string& item : items) list_.insert(Shown(item));
    list_.addCallback("clicked", [this] {
      const std::size_t index = list_.currentItem();
      if (index >= 1 && index <= items_.size()) choice_ = items_[index - 1];
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
  // The names themselves: what the list shows may be a name decoded for
  // the screen that is not the bytes of the file's name.
  const std::vector<std::string>& items_;
  finalcut::FListBox list_{this};
  std::optional<std::string> choice_;
};

}  // namespace

FileDialog::FileDialog(finalcut::FWidget* desktop, std::string_view title, std::string mask, HistoryList& history)
    : FixedWindow(desktop), mask_(std::move(mask)), history_(history) {
  setText(finalcut::FString{WideText(title)});
  const int desktop_height = static_cast<int>(getDesktopHeight()) - 2;
  const int x = std::max(1, (static_cast<int>(getDesktopWidth()) - kWidth) / 2 + 1);
  const int y = 1 + std::max(0, (desktop_height - kHeight) / 2);
  setGeometry(finalcut::FPoint{x, y}, finalcut::FSize{kWidth, kHeight}, false);

  name_edit_.setLabelText("&File name");
  name_edit_.setLabelOrientation(finalcut::FLineEdit::LabelOrientation::Above);
  name_edit_.setGeometry(finalcut::FPoint{3, 2}, finalcut::FSize{33, 1}, false);
  name_edit_.setMaxLength(255);
  name_edit_.addCallback("activate", [this] { Accept(); });
  // Down opens the history, as in the toolkit's own dialogs with a history.
  name_edit_.SetDownAction([this] { PickFromHistory(); });
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
  ShowDirectory(StartFolder(history_.Items(), CurrentDirectory()));
  name_edit_.setText(Shown(mask_));
}

void FileDialog::ShowDirectory(std::string directory) {
  directory_ = std::move(directory);
  entries_ = ListEntries(directory_, mask_);
  list_.clear();
  for (const DirectoryEntry& entry : entries_) list_.insert(Shown(entry.is_directory ? entry.name + "/" : entry.name));
  std::wstring shown = TextFromUtf8(directory_);
  const std::size_t room = kWidth - 5;
  if (shown.size() > room) shown = L"..." + shown.substr(shown.size() - (room - 3));
  directory_label_.setText(finalcut::FString{shown});
  list_.redraw();
  directory_label_.redraw();
}

void FileDialog::TakeFile(std::string path) {
  // Said at once, while the user can still pick another name; the source
  // opened before stays.
  if (!CanOpenForReading(path)) {
    ShowMessage(this, "Open file", TextFromUtf8(OpenFailedText(path)));
    FocusNameLine();
    return;
  }
  history_.Add(path);
  chosen_ = std::move(path);
  done(ResultCode::Accept);
}

void FileDialog::Accept() {
  const TypedChoice choice = ResolveTyped(directory_, TypedName());
  switch (choice.kind) {
    case TypedChoice::Kind::None:
      return;
    case TypedChoice::Kind::Mask:
      mask_ = choice.mask;
      ShowDirectory(choice.path);
      name_edit_.SetFreshText(Shown(mask_));
      return;
    case TypedChoice::Kind::Directory:
      ShowDirectory(choice.path);
      name_edit_.SetFreshText(Shown(mask_));
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
    name_edit_.SetFreshText(Shown(mask_));
    return;
  }
  TakeFile(choice.path);
}

void FileDialog::OnListMove() {
  const std::size_t index = list_.currentItem();
  if (index == 0 || index > entries_.size()) return;
  const DirectoryEntry& entry = entries_[index - 1];
  if (entry.is_directory) return;
  SetName(entry.name);
}

void FileDialog::PickFromHistory() {
  if (history_.Items().empty()) return;
  HistoryPicker picker(this, history_.Items());
  const auto picked = picker.Run();
  if (picked) SetName(*picked);
  FocusNameLine();
}

void FileDialog::SetName(const std::string& name) {
  name_ = name;
  name_edit_.SetFreshText(Shown(name));
}

std::string FileDialog::TypedName() const {
  // A name that is no UTF-8 shows as other characters than its bytes; as
  // long as the line shows it unchanged, the bytes are what it means.
  const finalcut::FString typed = name_edit_.getText();
  if (name_ && typed == Shown(*name_)) return *name_;
  return PathText(typed);
}

void FileDialog::FocusNameLine() {
  // The toolkit does not give the focus back after a nested modal dialog.
  setWindowFocusWidget(&name_edit_);
  name_edit_.unsetFocus();
  name_edit_.setFocus();
  redraw();
}

std::optional<std::string> FileDialog::Run() {
  name_edit_.setFocus();
  if (RunModal() != ResultCode::Accept) return std::nullopt;
  return chosen_;
}

}  // namespace orvano::app
