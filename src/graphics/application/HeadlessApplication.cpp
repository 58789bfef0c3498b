#include "graphics/application/HeadlessApplication.h"

namespace kvf::graphics {

std::unique_ptr<QApplication> CreateHeadlessApplication(int& argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  return std::make_unique<QApplication>(argc, argv);
}

}  // namespace kvf::graphics
