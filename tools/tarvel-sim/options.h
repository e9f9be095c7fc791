#pragma once
// Command line of tarvel-sim.

#include <optional>
#include <string>
#include <vector>

#include "sim/board_options.h"

namespace tarvel::simtool {

struct Options {
  sim::BoardOptions board;
  std::string link;     // --link: a symlink to the device, for a stable port name
  std::string output;   // --output: write the stream to this file instead of serving it
  double duration = 0;  // --duration: seconds of stream for --output
  bool split = false;   // --split: write in small random pieces with tiny pauses
  bool help = false;
};

// The usage text, ending with a newline.
std::string Usage();

// Parses the arguments after the program name. Empty on error, with a one-line reason in
// `error`.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

}  // namespace tarvel::simtool
