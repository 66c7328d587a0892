// The command line on a window's job state: any argument text ends in
// applied settings, a message or the help; never in a crash or a selection
// of a list entry that does not exist. "/G:" is defused, so no file is written.
#include <cstdint>
#include <string>

#include "app/bolt_app.h"
#include "fuzz/fuzz_support.h"

namespace {

void CheckSelection(const boltgen::ComboBox& box) {
  if (box.selected < -1 || box.selected >= static_cast<int>(box.items.size())) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view switches(reinterpret_cast<const char*>(data), size);
  boltgen::fuzz::LoadedApp loaded(switches, BOLTGEN_FUZZ_DATA_DIR);
  boltgen::BoltApp& app = loaded.app;
  CheckSelection(app.controls.Cmb_Size);
  CheckSelection(app.controls.Cmb_Pitch);
  CheckSelection(app.controls.CMB_Segments);
  if (!app.exit_status()) {
    app.TXT_Nom_Length_Validate();
    app.MakeFileName();
  }
  return 0;
}
