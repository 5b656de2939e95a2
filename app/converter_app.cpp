#include "app/converter_app.h"

#include "app/file_dialog.h"
#include "app/message_box.h"
#include "app/options_dialog.h"
#include "basic/bas_decode.h"
#include "common/reporter.h"
#include "common/version.h"
#include "decode/operations.h"
#include "encode/convert_source.h"
#include "tape/cas_decode.h"

namespace orvano::app {
namespace {

// The window commands act on the log window, the only window that stays.
constexpr std::array<Command, 4> kWindowCommands = {cmCloseAll, cmNext, cmPrev, cmClose};
// No window of this program can be tiled, cascaded, moved, resized or
// zoomed, so these stay grey.
constexpr std::array<Command, 4> kFixedWindowCommands = {cmTile, cmCascade, cmResize, cmZoom};

constexpr StatusItem kStatusItems[] = {{"~Alt-X~ Exit", cmQuit}, {"~F3~ Open", cmOpen}};

CommandSet StartCommands() {
  CommandSet commands;
  commands.Disable(kDecodeCommands);
  commands.Disable(kWindowCommands);
  commands.Disable(kFixedWindowCommands);
  return commands;
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
      status_line_(&desktop_, kStatusItems, [this](Command command) { Dispatch(command); }),
      reporter_(&desktop_, [this] { return CurrentLogWindow(); }) {
  using finalcut::FKey;
  const std::pair<FKey, Command> bindings[] = {
      {FKey::F1, cmAbout},   {FKey::F2, cmNew},      {FKey::F3, cmOpen},  {FKey::Meta_x, cmQuit},
      {FKey::Meta_f3, cmClose}, {FKey::F51, cmClose}, {FKey::F5, cmZoom}, {FKey::F29, cmResize},
      {FKey::F6, cmNext},    {FKey::F18, cmPrev},
  };
  for (const auto& [key, command] : bindings) {
    keys_.push_back(std::make_unique<KeyBinding>(&desktop_, key, [this, c = command] { Dispatch(c); }));
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
      SwitchWindow(command == cmNext);
      return;
    case cmNew:
      NewCommand();
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
    case cmRawRecode:
    case cmBasDecode:
    case cmPhase1Decode:
    case cmPhase2Decode:
    case cmCasDecode:
      RunDecode(command);
      return;
    default:
      return;
  }
}

void ConverterApp::RunDecode(Command command) {
  switch (command) {
    case cmRawRecode:
      decode::RawRecode(names_, options_, reporter_);
      break;
    case cmPhase1Decode:
      decode::Phase1Decode(names_, reporter_);
      break;
    case cmPhase2Decode:
      decode::Phase2Decode(names_, reporter_);
      break;
    case cmCasDecode:
      tape::CasDecode(names_, reporter_);
      break;
    case cmBasDecode:
      basic::BasDecode(names_, reporter_);
      break;
    default:
      break;
  }
}

void ConverterApp::OpenCommand() {
  FileDialog dialog(&desktop_, "*.RAW", history_);
  const auto chosen = dialog.Run();
  // A cancelled Open keeps the source name, the log window and the commands.
  if (!chosen) {
    if (log_window_ != nullptr) log_window_->Show();
    return;
  }
  names_.SourceName = *chosen;
  ReplaceLogWindow(names_.SourceName);
  Log(reporter_, "Reading file " + names_.SourceName);
  SetDecodeCommands(true);
}

void ConverterApp::NewCommand() {
  FileDialog dialog(&desktop_, "*.*", history_);
  const auto chosen = dialog.Run();
  if (!chosen) {
    if (log_window_ != nullptr) log_window_->Show();
    return;
  }
  // The new log window leaves the Decode commands as they were.
  ReplaceLogWindow(*chosen);
  encode::ConvertSource(*chosen, names_, options_, end_addr_, reporter_);
}

void ConverterApp::OptionsCommand() {
  OptionsDialog dialog(&desktop_);
  const auto options = dialog.Run(options_);
  if (options) options_ = *options;
  if (log_window_ != nullptr) log_window_->Show();
}

void ConverterApp::AboutBox() {
  ShowMessage(&desktop_, "Information", kProgramTitle);
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

void ConverterApp::SwitchWindow(bool forward) {
  // The log window is the only window that stays on the desktop, so the
  // next and the previous window are both the log window.
  static_cast<void>(forward);
  if (log_window_ != nullptr) log_window_->Show();
}

void ConverterApp::SetDecodeCommands(bool enabled) {
  if (enabled) {
    commands_.Enable(kDecodeCommands);
  } else {
    commands_.Disable(kDecodeCommands);
  }
  ApplyCommands();
}

void ConverterApp::ApplyCommands() { menus_.Apply(commands_); }

}  // namespace orvano::app
