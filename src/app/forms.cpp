#include "app/forms.h"

#include "main/osc.h"

namespace tarvel::app {

Forms::Forms(platform::SerialPort& port, std::filesystem::path ini_path)
    : port_(port), ini_path_(std::move(ini_path)) {}

Forms::~Forms() = default;

main_window::OSC& Forms::osc() {
  if (!osc_) osc_ = std::make_unique<main_window::OSC>(port_, ini_path_);
  return *osc_;
}

}  // namespace tarvel::app
