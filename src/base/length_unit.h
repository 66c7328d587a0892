#ifndef BOLTGEN_BASE_LENGTH_UNIT_H_
#define BOLTGEN_BASE_LENGTH_UNIT_H_

namespace boltgen {

// The unit of every length of one size table section. The program never
// converts between them inside a script; file formats that carry a unit
// (or assume one) are told which it is.
enum class LengthUnit { kInch, kMillimetre };

}  // namespace boltgen

#endif  // BOLTGEN_BASE_LENGTH_UNIT_H_
