#include "tape/image_writer.h"

#include "tape/cas_image.h"

namespace orvano::tape {

std::vector<std::uint8_t> TapeImageOf(std::span<const TapeBlock> blocks, const TapeLayout& layout) {
  std::vector<std::uint8_t> image;
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    AppendCasBlock(image, std::span(blocks[i].bytes).first(layout.blocks[i].kept));
  }
  return image;
}

}  // namespace orvano::tape
