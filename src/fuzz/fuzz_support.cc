#include "fuzz/fuzz_support.h"

#include <cstdlib>
#include <string>

namespace boltgen::fuzz {

std::string ScratchFolder() {
  static const std::string folder = [] {
    std::string pattern = "/tmp/boltgen-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    return pattern;
  }();
  return folder;
}

}  // namespace boltgen::fuzz
