#include <final/final.h>

#include <csignal>

int main(int argc, char* argv[]) {
  std::signal(SIGXFSZ, SIG_IGN);
  finalcut::FApplication app{argc, argv};
  finalcut::FWidget desktop{&app};
  finalcut::FMenuBar menu_bar{&desktop};
  finalcut::FWidget::setMainWidget(&desktop);
  desktop.show();
  return app.exec();
}
