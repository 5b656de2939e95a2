#include "app/converter_app.h"

#include <algorithm>
#include <cstdlib>

#include "app/file_dialog.h"
#include "app/file_view.h"
#include "app/help_text.h"
#include "app/message_box.h"
#include "app/oem_text.h"
#include "app/options_dialog.h"
#include "app/text_window.h"
#include "app/user_text.h"
#include "common/reporter.h"
#include "decode/operations.h"
#include "common/version.h"

namespace orvano::app {
namespace {

// Every kind of recording that Open lists; a typed mask shows others.
constexpr const char* kRecordingMask = "*.RAW;*.WAV;*.FLAC;*.AIFF;*.AIF;*.OGG";

using namespace ops;

// The window commands act on the log window, the only window that stays.
constexpr std::array<Command, 4> kWindowCommands = {cmCloseAll, cmNext, cmPrev, cmClose};
// No window of this program can be tiled, cascaded, moved, resized or
// zoomed, so these stay grey.
constexpr std::array<Command, 4> kFixedWindowCommands = {cmTile, cmCascade, cmResize, cmZoom};

CommandSet StartCommands() {
  CommandSet commands;
  commands.Disable(SourceCommands());
  commands.Disable(kWindowCommands);
  commands.Disable(kFixedWindowCommands);
  return commands;
}

// In the order of their keys: F1 Help, F2 New, F3 Open, F10 Menu, Alt-X Exit.
std::vector<StatusItem> StatusItems() {
  std::vector<const Operation*> shown;
  for (const Operation& op : Operations()) {
    if (!op.status_text.empty()) shown.push_back(&op);
  }
  std::stable_sort(shown.begin(), shown.end(), [](const Operation* a, const Operation* b) { return a->key < b->key; });
  std::vector<StatusItem> items;
  for (const Operation* op : shown) items.push_back({op->status_text, op->command});
  return items;
}

// The toolkit's codes of a key; Alt-F3 arrives in two forms. F10 is the
// menu bar's own, which the bar binds itself.
std::vector<finalcut::FKey> KeyCodes(Key key) {
  using finalcut::FKey;
  switch (key) {
    case Key::F1: return {FKey::F1};
    case Key::F2: return {FKey::F2};
    case Key::F3: return {FKey::F3};
    case Key::F5: return {FKey::F5};
    case Key::F6: return {FKey::F6};
    case Key::F9: return {FKey::F9};
    case Key::ShiftF6: return {FKey::F18};
    case Key::CtrlF5: return {FKey::F29};
    case Key::AltF3: return {FKey::Meta_f3, FKey::F51};
    case Key::AltX: return {FKey::Meta_x};
    case Key::F10:
    case Key::None: break;
  }
  return {};
}

bool InHiddenMenu(finalcut::FWidget* widget) {
  for (auto* w = widget; w != nullptr; w = w->getParentWidget()) {
    if (w->isMenuWidget() && !w->isShown()) return true;
  }
  return false;
}

std::vector<std::wstring> UserLines(const std::vector<std::string>& lines) {
  std::vector<std::wstring> wide;
  wide.reserve(lines.size());
  for (const std::string& line : lines) wide.push_back(TextFromUtf8(line));
  return wide;
}

}  // namespace

void ConverterApp::DestroyWindow::operator()(LogWindow* window) const {
  window->hide();
  delete window;
}

ConverterApp::ConverterApp(const int& argc, char* argv[])
    : finalcut::FApplication(argc, argv),
      commands_(StartCommands()),
      menus_(&desktop_, [this](Command command) { Dispatch(command); }),
      status_line_(&desktop_, StatusItems(), [this](Command command) { Dispatch(command); }),
      settings_(SettingsPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"))),
      reporter_(&desktop_, [this] { return CurrentLogWindow(); }) {
  for (const Operation& op : Operations()) {
    for (const finalcut::FKey code : KeyCodes(op.key)) {
      keys_.push_back(std::make_unique<KeyBinding>(&desktop_, code, [this, c = op.command] { Dispatch(c); }));
    }
  }
  ApplyCommands();
  LoadSettings();
  finalcut::FWidget::setMainWidget(&desktop_);
}

ConverterApp::~ConverterApp() {
  if (log_window_ != nullptr) {
    log_window_->ForgetCloseHandler();
    DestroyWindow{}(log_window_);
    log_window_ = nullptr;
  }
}

int ConverterApp::Run() {
  desktop_.show();
  status_line_.show();
  ReportSettingsComplaint();
  return exec();
}

void ConverterApp::processExternalUserEvent() {
  // After a menu closes on an empty desktop the toolkit leaves the focus on
  // an item of the hidden menu, where every key is lost. The status line is
  // a window only to be clicked; should the toolkit make it the active one
  // when another closes, the keys would be lost as well.
  const bool status_line_active = finalcut::FWidget::getActiveWindow() == &status_line_;
  if (InHiddenMenu(finalcut::FWidget::getFocusWidget()) || status_line_active) {
    if (log_window_ != nullptr) {
      log_window_->Show();
    } else {
      if (status_line_active) finalcut::FWindow::setActiveWindow(nullptr);
      desktop_.setFocus();
    }
  }
  const auto highlighted = menus_.Highlighted();
  const Operation* operation = highlighted ? FindByCommand(*highlighted) : nullptr;
  status_line_.SetHint(operation != nullptr ? operation->hint : std::string_view());
}

void ConverterApp::onResize(finalcut::FResizeEvent* ev) {
  finalcut::FApplication::onResize(ev);
  // The toolkit draws only the windows again on the cleared terminal.
  status_line_.redraw();
}

void ConverterApp::Dispatch(Command command) {
  // Menu items fire even while a modal dialog runs; the dialog goes first.
  if (finalcut::FWidget::getModalDialogCounter() > 0) return;
  if (!commands_.Has(command)) return;
  const Operation* operation = FindByCommand(command);
  if (operation == nullptr) return;
  if (operation->run != nullptr) {
    Run(*operation);
    return;
  }
  // The UI's own actions: windows, dialogs, help and the menu bar.
  switch (command) {
    case cmQuit:
      quit();
      return;
    case cmMenu:
      menus_.OpenBar();
      return;
    case cmClose:
      CloseActiveWindow();
      return;
    case cmCloseAll:
      CloseAllWindows();
      return;
    case cmNext:
    case cmPrev:
      // The log window is the only window that stays on the desktop, so the
      // next and the previous window are both the log window.
      ShowLogWindow();
      return;
    case cmOpen:
      OpenCommand();
      return;
    case cmView:
      ViewCommand();
      return;
    case cmHelp:
      HelpWindow();
      return;
    case cmAbout:
      AboutBox();
      return;
    case cmOptions:
      OptionsCommand();
      return;
    default:
      return;
  }
}

void ConverterApp::Run(const Operation& operation) {
  Request request{names_, options_, reporter_, {}, {}, 0, {}};
  if (operation.input == Input::OneFile) {
    FileDialog dialog(&desktop_, "New from file", "*.*", history_);
    const auto chosen = dialog.Run();
    if (!chosen) {
      ShowLogWindow();
      return;
    }
    SaveSettings();
    // The new log window leaves the commands that need a recording as they were.
    ReplaceLogWindow("Reading file " + *chosen);
    request.files = {*chosen};
  } else {
    request.files = {names_.SourceName};
  }
  const Outcome outcome = operation.run(request);
  ShowLogWindow();
  ShowTables();
  // The listing is what BAS decode was run for.
  if (operation.command == cmBasDecode && outcome == Outcome::Success) ShowFile(names_.BasName);
}

void ConverterApp::OpenCommand() {
  FileDialog dialog(&desktop_, "Open file", kRecordingMask, history_);
  const auto chosen = dialog.Run();
  // A cancelled Open keeps the source name, the log window and the commands.
  if (!chosen) {
    ShowLogWindow();
    return;
  }
  SaveSettings();
  names_.SourceName = *chosen;
  ReplaceLogWindow("Reading file " + names_.SourceName);
  Log(reporter_, "Reading file " + names_.SourceName);
  decode::DescribeRecording(names_.SourceName, reporter_);
  SetDecodeCommands(true);
}

void ConverterApp::ViewCommand() {
  FileDialog dialog(&desktop_, "View file", "*.*", history_);
  const auto chosen = dialog.Run();
  if (chosen) {
    SaveSettings();
    ShowFile(*chosen);
  }
  ShowLogWindow();
}

void ConverterApp::ShowFile(const std::string& path) {
  const FileView view = ReadForView(path);
  if (!view.error.empty()) {
    ShowMessage(&desktop_, "View file", TextFromUtf8(view.error));
  } else {
    TextWindow window(&desktop_, path, {}, UserLines(view.lines), TextWindow::Size::Desktop);
    window.Run();
  }
  ShowLogWindow();
}

void ConverterApp::ShowTables() {
  for (const ResultTable& table : reporter_.TakeTables()) {
    ShowTable(&desktop_, table);
    ShowLogWindow();
  }
}

void ConverterApp::OptionsCommand() {
  OptionsDialog dialog(&desktop_);
  const auto options = dialog.Run(options_);
  if (options) {
    options_ = *options;
    SaveSettings();
  }
  ShowLogWindow();
}

void ConverterApp::HelpWindow() {
  std::vector<std::wstring> lines;
  for (const std::string& line : HelpLines(kFixedWindowCommands)) lines.push_back(WideText(line));
  TextWindow window(&desktop_, "Help", {}, std::move(lines), TextWindow::Size::Desktop);
  window.Run();
  ShowLogWindow();
}

void ConverterApp::AboutBox() {
  ShowMessage(&desktop_, "Information", WideText(kProgramTitle));
  ShowLogWindow();
}

void ConverterApp::ShowLogWindow() {
  if (log_window_ != nullptr) log_window_->Show();
}

void ConverterApp::LoadSettings() {
  const Settings settings = settings_.Load();
  options_ = settings.options;
  // Added oldest first, so that the newest ends in front.
  std::for_each(settings.history.rbegin(), settings.history.rend(), [this](const std::string& name) { history_.Add(name); });
}

void ConverterApp::SaveSettings() {
  settings_.Save(Settings{options_, history_.Items()});
  ReportSettingsComplaint();
}

void ConverterApp::ReportSettingsComplaint() {
  const auto complaint = settings_.Complaint();
  if (!complaint) return;
  // With no file open yet there is no log; one is opened for the news.
  if (log_window_ == nullptr) ReplaceLogWindow("Settings");
  Warn(reporter_, *complaint);
}

void ConverterApp::ReplaceLogWindow(std::string_view title) {
  if (log_window_ != nullptr) {
    log_window_->ForgetCloseHandler();
    DestroyWindow{}(log_window_);
    log_window_ = nullptr;
  }
  log_window_ = new LogWindow(&desktop_, title, [this] { OnLogWindowClosed(); });
  log_window_->Show();
  commands_.Enable(kWindowCommands);
  ApplyCommands();
}

void ConverterApp::OnLogWindowClosed() {
  // Every way of closing the log window ends here: the close icon, Alt-F3,
  // Window > Close and Window > Close all.
  log_window_ = nullptr;
  commands_.Disable(kWindowCommands);
  SetDecodeCommands(false);
}

void ConverterApp::CloseActiveWindow() {
  auto* active = finalcut::FWidget::getActiveWindow();
  if (active != nullptr && active->isDialogWidget()) {
    active->close();
  } else if (log_window_ != nullptr) {
    log_window_->close();
  }
}

void ConverterApp::CloseAllWindows() {
  if (log_window_ != nullptr) log_window_->close();
}

void ConverterApp::SetDecodeCommands(bool enabled) {
  if (enabled) {
    commands_.Enable(SourceCommands());
  } else {
    commands_.Disable(SourceCommands());
  }
  ApplyCommands();
}

void ConverterApp::ApplyCommands() { menus_.Apply(commands_); }

}  // namespace orvano::app
