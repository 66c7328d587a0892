#ifndef BOLTGEN_APP_PNG_IMAGE_H_
#define BOLTGEN_APP_PNG_IMAGE_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "app/preview_raster.h"

namespace boltgen {

// The picture as a PNG file's bytes: 8-bit RGB, no toolkit and no zlib, so
// that every window can save its preview. The pixels are stored, not
// compressed: a preview of a few hundred thousand pixels stays well under
// the size a user notices, and the encoder stays small enough to trust.
// Alpha is dropped; the preview is opaque. Empty when the picture is
// empty or its pixels do not fill its size.
std::string EncodePng(const PreviewPixels& picture);

// The checksums the format names, exposed for their tests.
std::uint32_t Crc32(std::string_view bytes);
std::uint32_t Adler32(std::string_view bytes);

}  // namespace boltgen

#endif  // BOLTGEN_APP_PNG_IMAGE_H_
