#ifndef BOLTGEN_APP_WIN_DPI_H_
#define BOLTGEN_APP_WIN_DPI_H_

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace boltgen::win {

// The dots per inch of the screen the window is on; 96 is 100 %. Read
// through the calls of Windows 10 where they exist, so that the program
// still starts on an older Windows.
UINT WindowDpi(HWND window);

// Grows a client rectangle to the window's outer one at `dpi`.
void AdjustRectForDpi(RECT& rect, DWORD style, DWORD extended_style, UINT dpi);

// Declares the process aware of each screen's own scale, where the manifest
// was not read (a program started from another one's folder, or renamed).
void BecomeDpiAware();

}  // namespace boltgen::win

#endif  // BOLTGEN_APP_WIN_DPI_H_
