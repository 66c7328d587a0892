#include "generate/nut_fit.h"

#include <algorithm>

#include "base/number_format.h"
#include "config/leading_number.h"
#include "mesh/mesh_grid.h"

namespace boltgen {
namespace {

constexpr double kMillimetresPerInch = 25.4;

double MillimetresPerUnit(const BoltRequest& request) {
  return request.part_file_unit == LengthUnit::kInch ? kMillimetresPerInch : 1;
}

}  // namespace

Result<NutFit> NutFitFor(const BoltRequest& request, const BoltDimensions& dims) {
  const double mm_per_unit = MillimetresPerUnit(request);
  const double pitch_mm = dims.pitch * mm_per_unit;
  NutFit fit;
  if (request.nut_clearance_text.empty()) {
    fit.standard = true;
    fit.clearance_mm = StandardFitClearanceMm(pitch_mm);
  } else {
    const std::optional<double> typed = DecimalNumber(request.nut_clearance_text);
    const double largest = pitch_mm / 4;
    if (!typed || !(*typed >= 0 && *typed <= largest)) {
      return Error{"The nut clearance \"" + request.nut_clearance_text +
                   "\" is not a radial clearance in millimetres from 0 to " +
                   FormatNumber(largest, "0.0000") + " (a quarter of the " +
                   FormatNumber(pitch_mm, "0.0000") +
                   " mm pitch). Give one such as 0.2, or none for the 6H/6g fit."};
    }
    fit.clearance_mm = *typed;
  }
  fit.thread.clearance = fit.clearance_mm / mm_per_unit;
  return fit;
}

std::string NutThreadDetails(const NutFit& fit, const BoltDimensions& dims) {
  std::string text = "Threaded, ISO 68-1 Internal, Right Hand, Minor Diameter ";
  AppendNumber(text, NutMinorDiameter(dims.major_dia, dims.pitch), "000.0000");
  text += fit.standard ? ", Fit 6H/6g, Radial Clearance " : ", Radial Clearance ";
  AppendNumber(text, fit.clearance_mm, "0.0000");
  text += " mm";
  return text;
}

Result<> CheckThreadedNutRows(const BoltDimensions& dims) {
  const double tallest = std::max(dims.HghtNut, dims.HghtNutJam);
  // The washer face nuts have the most rows of their own.
  const int rows = ThreadedNutRowsAtMost(dims.pitch, tallest, 10);
  if (rows <= MeshGrid::kLastIndex) return Done();
  return Error{"A threaded nut " + FormatNumber(tallest, "###0.000") + " high at pitch " +
               FormatNumber(dims.pitch, "0.0000") + " needs " + FormatNumber(rows, "0") +
               " rows, but the mesh holds at most " + FormatNumber(MeshGrid::kLastIndex, "0") +
               ". Choose a coarser pitch, or plain nuts."};
}

}  // namespace boltgen
