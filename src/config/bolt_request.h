#ifndef BOLTGEN_CONFIG_BOLT_REQUEST_H_
#define BOLTGEN_CONFIG_BOLT_REQUEST_H_

#include <string>

#include "base/length_unit.h"

namespace boltgen {

// One generation as the core sees it: every choice already read from the
// window's boxes or the command line's switches by the front that took them.
// The core keeps the texts only to repeat them (the script's header, the
// messages that refuse a choice) and never reads a number from them.
struct BoltRequest {
  std::string size;           // the size list's entry: its section header, "[Inch 3/4]"
  std::string pitch_text;     // the pitch as listed or typed, "0.076923 UNC"
  double pitch = 0;           // its leading number
  std::string length_text;    // the nominal length as typed
  double length = 0;          // its leading number
  std::string segments_text;  // the segment count as chosen or typed
  double segments = 0;        // its leading number, rounded to a whole number
  std::string file_name;      // the script's name as given, ".scr" added unless there

  bool plain_body = false;     // no thread: a plain shank down to the point
  bool washer_face = false;    // a washer face under the head (nuts imply one)
  bool head_radius = false;    // a radius under the head
  bool sharp_threads = false;  // changes only the script header's comment
  bool nuts = false;           // the four nuts after the bolt
  bool block_commands = false; // the commands that save and export each part
  bool threaded_nuts = false;  // the nuts' bores carry the bolt's thread
  // The nuts' radial clearance in millimetres as typed; empty for the 6H/6g fit.
  std::string nut_clearance_text;

  // Files written beside the script, from the same parts.
  bool write_stl = false;
  bool write_dxf = false;
  bool write_3mf = false;
  LengthUnit part_file_unit = LengthUnit::kInch;  // the unit of the size's lengths
};

}  // namespace boltgen

#endif  // BOLTGEN_CONFIG_BOLT_REQUEST_H_
