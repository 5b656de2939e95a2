#pragma once

#include <final/final.h>

namespace orvano::app {

// The log's colours are PC text attributes; the toolkit's own theme would
// reprogram the terminal's sixteen colours, so they are set to VGA's.
class VgaPalette final : public finalcut::FColorPalette {
 public:
  explicit VgaPalette(const FSetPalette& setter) : finalcut::FColorPalette(setter) {}

  void setColorPalette() override { setVGAdefaultPalette(); }
  void resetColorPalette() override { setVGAdefaultPalette(); }
};

inline void UseVgaPalette() { finalcut::FVTerm::getFOutput()->setColorPaletteTheme<VgaPalette>(); }

}  // namespace orvano::app
