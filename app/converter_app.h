#pragma once

#include <final/final.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "app/command_set.h"
#include "app/commands.h"
#include "app/history_list.h"
#include "app/key_binding.h"
#include "app/log_window.h"
#include "app/menus.h"
#include "app/status_line.h"
#include "app/ui_reporter.h"
#include "common/conversion_options.h"
#include "common/file_names.h"

namespace orvano::app {

// The application: menu bar, status line, the log window of the current
// source file, and one dispatch from each command to its operation.
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
  void NewCommand();
  void OptionsCommand();
  void AboutBox();
  void CloseActiveWindow();
  void CloseAllWindows();
  void SwitchWindow(bool forward);
  void RunDecode(Command command);

  void ReplaceLogWindow(const std::string& file_name);
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
  UiReporter reporter_;
};

}  // namespace orvano::app
