#pragma once
// The screensaver switches: Windows asks for the configuration dialog with
// "/c" and for the preview with "/p"; the program has neither.

#include <string>

namespace screensaver {

// False when "/c" or "/p" occurs anywhere in the command line (case-sensitive):
// the program then exits at once. Everything else, an empty line included,
// runs the screensaver.
bool shouldRunScreensaver(const std::string& commandLine);

} // namespace screensaver
