#include <csignal>
#include <cstdio>
#include <exception>

#include "app/converter_app.h"
#include "app/vga_palette.h"

int main(int argc, char* argv[]) {
  // An output beyond the file size limit is a write error to report, not a
  // reason to die.
  std::signal(SIGXFSZ, SIG_IGN);
  try {
    orvano::app::ConverterApp app{argc, argv};
    orvano::app::UseVgaPalette();
    return app.Run();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "orvano: %s\n", error.what());
    return 1;
  }
}
