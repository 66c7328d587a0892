#ifndef BOLTGEN_APP_FORM_FONT_H_
#define BOLTGEN_APP_FORM_FONT_H_

#include <string_view>

namespace boltgen {

// The form is laid out for a small sans-serif face of 11 pixels (8 points at
// 96 dpi). Where the classic narrow face is missing, the first of these the
// system has keeps the texts inside their boxes.
inline constexpr std::string_view kFormFontFamilies[] = {
    "Microsoft Sans Serif", "Liberation Sans Narrow", "Arial", "DejaVu Sans Condensed", "DejaVu Sans"};
inline constexpr int kFormFontPixels = 11;
// The description fits its box only a pixel smaller.
inline constexpr int kDescriptionFontPixels = 10;
inline constexpr std::string_view kDescriptionLabel = "Label4";

}  // namespace boltgen

#endif  // BOLTGEN_APP_FORM_FONT_H_
