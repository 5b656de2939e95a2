#include "app/converter_app.h"

#include "app/file_dialog.h"
#include "app/message_box.h"
#include "app/options_dialog.h"
#include "common/reporter.h"
#include "common/version.h"

namespace orvano::app {
namespace {

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

std::vector<StatusItem> StatusItems() {
  std::vector<StatusItem> items;
  for (const Operation& op : Operations()) {
    if (!op.status_text.empty()) items.push_back({op.status_text, op.command});
  }
  return items;
}

// The toolkit's codes of a key; Alt-F3 arrives in two forms.
std::vector<finalcut::FKey> KeyCodes(Key key) {
  using finalcut::FKey;
  switch (key) {
    case Key::F1: return {FKey::F1};
    case Key::F2: return {FKey::F2};
    case Key::F3: return {FKey::F3};
    case Key::F5: return {FKey::F5};
    case Key::F6: return {FKey::F6};
    case Key::F9: return {FKey::F9};
    case Key::F10: return {FKey::F10};
    case Key::ShiftF6: return {FKey::F18};
    case Key::CtrlF5: return {FKey::F29};
    case Key::AltF3: return {FKey::Meta_f3, FKey::F51};
    case Key::AltX: return {FKey::Meta_x};
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
      reporter_(&desktop_, [this] { return CurrentLogWindow(); }) {
  for (const Operation& op : Operations()) {
    for (const finalcut::FKey code : KeyCodes(op.key)) {
      keys_.push_back(std::make_unique<KeyBinding>(&desktop_, code, [this, c = op.command] { Dispatch(c); }));
    }
  }
  ApplyCommands();
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
  return exec();
}

void ConverterApp::processExternalUserEvent() {
  // After a menu closes on an empty desktop the toolkit leaves the focus on
  // an item of the hidden menu, where every key is lost.
  if (InHiddenMenu(finalcut::FWidget::getFocusWidget())) {
    if (log_window_ != nullptr) {
      log_window_->Show();
    } else {
      desktop_.setFocus();
    }
  }
}

void ConverterApp::onResize(finalcut::FResizeEvent* ev) {
  finalcut::FApplication::onResize(ev);
  // The toolkit draws only the windows again on the cleared terminal; the
  // status line is none.
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
  // The UI's own actions: windows, dialogs and the about box.
  switch (command) {
    case cmQuit:
      quit();
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
    FileDialog dialog(&desktop_, "*.*", history_);
    const auto chosen = dialog.Run();
    if (!chosen) {
      ShowLogWindow();
      return;
    }
    // The new log window leaves the commands that need a recording as they were.
    ReplaceLogWindow(*chosen);
    request.files = {*chosen};
  } else {
    request.files = {names_.SourceName};
  }
  operation.run(request);
  ShowLogWindow();
}

void ConverterApp::OpenCommand() {
  FileDialog dialog(&desktop_, "*.RAW", history_);
  const auto chosen = dialog.Run();
  // A cancelled Open keeps the source name, the log window and the commands.
  if (!chosen) {
    ShowLogWindow();
    return;
  }
  names_.SourceName = *chosen;
  ReplaceLogWindow(names_.SourceName);
  Log(reporter_, "Reading file " + names_.SourceName);
  SetDecodeCommands(true);
}

void ConverterApp::OptionsCommand() {
  OptionsDialog dialog(&desktop_);
  const auto options = dialog.Run(options_);
  if (options) options_ = *options;
  ShowLogWindow();
}

void ConverterApp::AboutBox() {
  ShowMessage(&desktop_, "Information", kProgramTitle);
  ShowLogWindow();
}

void ConverterApp::ShowLogWindow() {
  if (log_window_ != nullptr) log_window_->Show();
}

void ConverterApp::ReplaceLogWindow(const std::string& file_name) {
  if (log_window_ != nullptr) {
    log_window_->ForgetCloseHandler();
    DestroyWindow{}(log_window_);
    log_window_ = nullptr;
  }
  log_window_ = new LogWindow(&desktop_, file_name, [this] { OnLogWindowClosed(); });
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
