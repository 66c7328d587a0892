#ifndef BOLTGEN_APP_REQUEST_H_
#define BOLTGEN_APP_REQUEST_H_

#include "app/controls.h"
#include "config/bolt_request.h"

namespace boltgen {

// The generation the boxes ask for, read as every generation reads them:
// the pitch, the length and the segment count by their leading numbers (the
// segment count rounded to a whole number, halves to even), the part files'
// unit by the file name's IN_/MM_ rule (`is_metric` as the file name left
// it). The texts go along for the header and for messages.
BoltRequest RequestFromControls(const Controls& controls, bool is_metric);

}  // namespace boltgen

#endif  // BOLTGEN_APP_REQUEST_H_
