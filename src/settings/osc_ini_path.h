#pragma once
// Where the settings file lives: beside the executable, or, where that folder is not writable
// (an installed package), in the user's configuration folder. Reads and writes use the same
// place for the whole run.

#include <filesystem>

namespace tarvel::settings {

// The path of OSC.ini; needs a QCoreApplication. The choice is made once and then kept.
std::filesystem::path OscIniPath();

}  // namespace tarvel::settings
