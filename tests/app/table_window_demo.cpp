// A test helper, not shipped: the window of a results table as an operation
// reports one, for the terminal tests. It shows a table of 40 files on a
// tape through the text UI's reporter, prints "TABLE CLOSED" when the user
// has closed it, and ends.
#include <cstdio>
#include <string>

#include "app/text_window.h"
#include "app/ui_reporter.h"
#include "app/vga_palette.h"

namespace {

class DemoApp final : public finalcut::FApplication {
 public:
  DemoApp(const int& argc, char* argv[]) : finalcut::FApplication(argc, argv) {
    finalcut::FWidget::setMainWidget(&desktop_);
    orvano::ResultTable table{"Files on the tape", {"#", "Name", "Type", "Bytes", "Status"}, {}};
    for (int i = 1; i <= 40; ++i) {
      table.rows.push_back({std::to_string(i), "FILE" + std::to_string(i), i % 2 ? "BASIC" : "binary",
                            std::to_string(i * 37), i == 7 ? "checksum error" : "ok"});
    }
    reporter_.Table(table);
  }

  int Run() {
    desktop_.show();
    return exec();
  }

 protected:
  void processExternalUserEvent() override {
    if (shown_) return;
    shown_ = true;
    for (const orvano::ResultTable& table : reporter_.TakeTables()) orvano::app::ShowTable(&desktop_, table);
    quit();
  }

 private:
  finalcut::FWidget desktop_{this};
  orvano::app::UiReporter reporter_{&desktop_, [] { return nullptr; }};
  bool shown_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
  int status = 0;
  {
    DemoApp app{argc, argv};
    orvano::app::UseVgaPalette();
    status = app.Run();
  }
  std::puts("TABLE CLOSED");
  return status;
}
