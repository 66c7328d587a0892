#ifndef BOLTGEN_GENERATE_SCRIPT_HEADER_H_
#define BOLTGEN_GENERATE_SCRIPT_HEADER_H_

#include <string>
#include <string_view>

#include "base/date.h"
#include "config/bolt_dimensions.h"
#include "config/bolt_request.h"

namespace boltgen {

inline constexpr std::string_view kWebAddress = "www.quillfen.example";

// Every script this program writes starts with this line; a file that does
// not was written by someone else.
inline constexpr std::string_view kScriptFirstLine =
    "; This script file was created by the 'Quillfen 3D Bolt Generator'.";

// The header block written once, at the top of a new script: program line,
// web address, rule, size, length, segments, details, date and a closing
// "; " line. Names the request's size and pitch as given and its options as
// the bolt was built (nuts imply a washer face).
void AppendScriptHeader(std::string& script, const BoltRequest& built, const BoltDimensions& dims,
                        const Date& today);

}  // namespace boltgen

#endif  // BOLTGEN_GENERATE_SCRIPT_HEADER_H_
