#ifndef BOLTGEN_CONFIG_BOLT_REQUEST_TEST_H_
#define BOLTGEN_CONFIG_BOLT_REQUEST_TEST_H_

#include <string>

#include "base/number_format.h"
#include "config/bolt_request.h"
#include "config/leading_number.h"

namespace boltgen {

// A request with these texts, read as the window reads its boxes; every
// option off.
inline BoltRequest TextRequest(const std::string& size, const std::string& pitch,
                               const std::string& length, const std::string& segments = "36") {
  BoltRequest request;
  request.size = size;
  request.pitch_text = pitch;
  request.pitch = LeadingNumber(pitch);
  request.length_text = length;
  request.length = LeadingNumber(length);
  request.segments_text = segments;
  request.segments = RoundHalfEven(LeadingNumber(segments));
  return request;
}

}  // namespace boltgen

#endif  // BOLTGEN_CONFIG_BOLT_REQUEST_TEST_H_
