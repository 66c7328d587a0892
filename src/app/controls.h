#ifndef BOLTGEN_APP_CONTROLS_H_
#define BOLTGEN_APP_CONTROLS_H_

#include <string>
#include <vector>

namespace boltgen {

// The window's controls are the job state: the choices of a generation live
// here as texts, list selections and check states, whether or not a window
// shows them. The generation and the file naming read them; the size table
// reader, the command line and the user write them.

struct ComboBox {
  std::string text;                // what the box holds; typed text counts too
  std::vector<std::string> items;  // the list
  int selected = -1;               // list index of the selection, -1 for none
  bool enabled = true;
};

struct TextBox {
  std::string text;
  std::string tag;  // the length box keeps its last accepted text here
  bool enabled = true;
};

struct CheckBox {
  bool checked = false;
  bool enabled = true;
};

struct Controls {
  ComboBox Cmb_Size;
  ComboBox Cmb_Pitch;
  TextBox TXT_Nom_Length;
  ComboBox CMB_Segments;
  TextBox TXT_File;
  CheckBox Chk_No_Threads;
  CheckBox Chk_WF;
  CheckBox Chk_Rad_HEAD;
  CheckBox Chk_Sharp_Threads;
  CheckBox Chk_Nuts;
  CheckBox Chk_WBlock;
  // Beyond the script: also write each part as an STL file beside it.
  CheckBox Chk_STL;
  // Also write each part as a DXF drawing beside it.
  CheckBox Chk_DXF;
  // Beyond the script: also write all its parts into one 3MF file beside it.
  CheckBox Chk_3MF;
  // The nuts' bores carry the bolt's thread, with this radial clearance in
  // millimetres (empty: the 6H/6g fit).
  CheckBox Chk_Threaded_Nuts;
  TextBox TXT_Clearance;
  std::string Status = "Loading ...";
};

}  // namespace boltgen

#endif  // BOLTGEN_APP_CONTROLS_H_
