#ifndef BOLTGEN_APP_WINDOW_TEXTS_H_
#define BOLTGEN_APP_WINDOW_TEXTS_H_

#include <string_view>

namespace boltgen {

// The window's title, also the title of every message box.
inline constexpr std::string_view kWindowTitle = "Quillfen 3D Bolt Generator";

// The program description shown under the buttons (Label4).
inline constexpr std::string_view kDescriptionText =
    "This program writes a 'SCRIPT' (.SCR) file to be used in DraftSight "
    "to generate a fully detailed threaded 3D hex head bolt/cap screw. "
    "Optionally it can include: Standard Hex Nut, Standard Jam Nut, "
    "Washer Face Hex Nut, and Washer Face Jam Nut. "
    "\n\n"
    "The Script uses a single closed 3D Poly Mesh to produce each of the objects. ";

// The status line's texts that the window and the command line write.
inline constexpr std::string_view kStatusReady = "Ready";
// After a generation that wrote nothing, followed by the reason.
inline constexpr std::string_view kStatusNothingWritten = "(Nothing Written) ";

// The message of a rejected length.
inline constexpr std::string_view kLengthMessage = "Please use decimal numbers for length.";

// The message of the help button when no program opens PDF documents,
// followed by the manual's path.
inline constexpr std::string_view kNoViewerMessage =
    "No program to open PDF documents was found on this computer. The manual is ";

}  // namespace boltgen

#endif  // BOLTGEN_APP_WINDOW_TEXTS_H_
