#include "generate/script_header.h"

#include "base/number_format.h"
#include "base/text.h"
#include "generate/nut_fit.h"
#include "mesh/script_writer.h"

namespace boltgen {
namespace {

// The size list holds section header lines, "[Inch 3/4]": the name is what
// lies between the brackets, at most 30 characters, without blanks around.
std::string_view SizeName(std::string_view size_text) {
  if (size_text.size() < 2) return {};
  std::string_view name = size_text.substr(0, size_text.size() - 1);
  name = name.substr(1, 30);
  return TrimBlanks(name);
}

void AppendDetails(std::string& script, const BoltRequest& built, const BoltDimensions& dims) {
  if (built.plain_body) {
    script += "Plain Body, ";
  } else {
    script += "Threaded ";
    script += built.pitch_text;
    script += ", ";
  }
  script += built.washer_face ? "Washer Face, " : "Plain Face, ";
  if (built.head_radius) {
    script += "Radius Under Head (";
    AppendNumber(script, dims.RadWshFace, "00.0000");
    script += "), ";
  } else {
    script += "No Head Radius, ";
  }
  // Written whether or not the bolt has threads.
  script += built.sharp_threads ? "Sharp Threads" : "Radius Threads";
}

}  // namespace

void AppendScriptHeader(std::string& script, const BoltRequest& built, const BoltDimensions& dims,
                        const Date& today) {
  AppendScriptLine(script, kScriptFirstLine);
  script += "; Visit ";
  script += kWebAddress;
  AppendScriptLine(script, " to access the PUBLIC DOMAIN CAD library.");
  script += "; ";
  script.append(69, '-');
  script += kScriptLineEnd;

  script += "; Nominal Diameter: ";
  script += SizeName(built.size);
  script += " (";
  AppendNumber(script, dims.DiaNom, "000.0000");
  AppendScriptLine(script, ")");

  script += "; Nominal Length: ";
  AppendNumber(script, dims.nominal_length, "0000.0000");
  script += kScriptLineEnd;

  script += "; Segments: ";
  AppendNumber(script, dims.segments, "000");
  script += kScriptLineEnd;

  script += "; Details: ";
  AppendDetails(script, built, dims);
  script += kScriptLineEnd;

  if (built.nuts && built.threaded_nuts) {
    // The generation refused a fit that does not hold before any header.
    if (const Result<NutFit> fit = NutFitFor(built, dims)) {
      script += "; Nuts: ";
      script += NutThreadDetails(*fit, dims);
      script += kScriptLineEnd;
    }
  }

  script += "; Date: ";
  AppendScriptLine(script, FormatDate(today));
  AppendScriptLine(script, "; ");
}

}  // namespace boltgen
