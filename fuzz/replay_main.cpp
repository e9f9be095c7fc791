// Runs the fuzz entry point once on each input: the files named on the command line and the
// files in the folders named there. Linked with link_fuzz.cpp by the normal build, so every test
// run (and the sanitizer build) replays the seeds without clang's libFuzzer.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    const fs::path arg = argv[i];
    if (fs::is_directory(arg)) {
      for (const auto& entry : fs::directory_iterator(arg))
        if (entry.is_regular_file()) inputs.push_back(entry.path());
    } else {
      inputs.push_back(arg);
    }
  }
  std::sort(inputs.begin(), inputs.end());
  if (inputs.empty()) {
    std::cerr << "usage: link_fuzz_replay FILE_OR_FOLDER... (no inputs found)\n";
    return 1;
  }
  for (const fs::path& path : inputs) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
      std::cerr << path.string() << ": cannot open\n";
      return 1;
    }
    // An exact-size copy, as libFuzzer passes its inputs, so a read past the end is caught.
    const std::vector<std::uint8_t> data(std::istreambuf_iterator<char>(file), {});
    LLVMFuzzerTestOneInput(data.data(), data.size());
  }
  std::cout << "replayed " << inputs.size() << " inputs\n";
  return 0;
}
