#pragma once
// What assistive tools are told about the controls Qt cannot describe by itself: the windows
// themselves (frameless widgets, yet windows to a screen reader), the frames (named groups of
// controls) and the drop-down lists, which Qt on Linux names by their current entry; here each
// is named by its caption, as on Windows, and the entry is its value.
namespace brixel {

// Once per program, before the first window shows; later calls do nothing.
void InstallAccessibleControls();

}  // namespace brixel
