#include "Ratios.h"

namespace kvf::bench {
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
