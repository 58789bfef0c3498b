#include "Ratios.h"

#include <QApplication>
#include <algorithm>

namespace kvf::bench {

void EnsureGuiApplication() {
  if (QGuiApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "kvf_bench";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // Qt Charts needs a QApplication
}
int64_t TallyCells(const kvf::SurveyDocument& document, const std::vector<int32_t>& questions,
                   const std::vector<int32_t>& respondents) {
  int64_t check = 0;
  std::vector<int32_t> tally(256);
  for (const int32_t q : questions) {
    std::fill(tally.begin(), tally.end(), 0);
    const uint8_t* column = document.answers.Column(q);  // the synthetic documents are 8-bit
    for (const int32_t r : respondents)
      if (static_cast<uint32_t>(r) < static_cast<uint32_t>(document.RespondentCount())) ++tally[column[r]];
    check += tally[1];
  }
  return check;
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
