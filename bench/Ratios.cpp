#include "Ratios.h"

#include <QApplication>

namespace kvf::bench {

void EnsureGuiApplication() {
  if (QGuiApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "kvf_bench";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // Qt Charts needs a QApplication
}
namespace {
std::vector<Ratio>& List() {
  static std::vector<Ratio> list;
  return list;
}
}  // namespace

bool AddRatio(const std::string& subject, const std::string& floor, double target) {
  List().push_back({subject, floor, target});
  return true;
}

const std::vector<Ratio>& Ratios() { return List(); }

}  // namespace kvf::bench
