#pragma once

#include <final/final.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "app/command_set.h"
#include "app/history_list.h"
#include "app/key_binding.h"
#include "app/log_window.h"
#include "app/menus.h"
#include "app/settings_store.h"
#include "app/status_line.h"
#include "app/ui_reporter.h"
#include "common/conversion_options.h"
#include "common/file_names.h"
#include "ops/operation.h"

namespace orvano::app {

// The application: menu bar, status line, the log window of the current
// source file, and one dispatch from each command to its operation. The
// options and the history of chosen names come from the settings file and
// go back to it whenever they change.
class ConverterApp final : public finalcut::FApplication {
 public:
  ConverterApp(const int& argc, char* argv[]);
  ~ConverterApp() override;

  int Run();
  // Every menu item, status item and global key ends here.
  void Dispatch(Command command);

 protected:
  void processExternalUserEvent() override;
  void onResize(finalcut::FResizeEvent* ev) override;

 private:
  struct DestroyWindow {
    void operator()(LogWindow* window) const;
  };

  void OpenCommand();
  void ViewCommand();
  void OptionsCommand();
  void AboutBox();
  void HelpWindow();
  void CloseActiveWindow();
  void CloseAllWindows();
  void ShowLogWindow();
  void Run(const ops::Operation& operation);
  void ShowFile(const std::string& path);
  void ShowTables();

  void LoadSettings();
  void SaveSettings();
  void ReportSettingsComplaint();

  // The title is the user's text: it names a file.
  void ReplaceLogWindow(std::string_view title);
  void OnLogWindowClosed();
  void SetDecodeCommands(bool enabled);
  void ApplyCommands();
  LogWindow* CurrentLogWindow() const { return log_window_; }

  // Disabled before anything is built, so the Decode items are grey from the
  // first screen on.
  CommandSet commands_;
  finalcut::FWidget desktop_{this};
  Menus menus_;
  StatusLine status_line_;
  std::vector<std::unique_ptr<KeyBinding>> keys_;

  FileNameSet names_;
  LogWindow* log_window_ = nullptr;  // a child of the desktop, or none
  ConversionOptions options_;
  HistoryList history_;
  SettingsStore settings_;
  UiReporter reporter_;
};

}  // namespace orvano::app
