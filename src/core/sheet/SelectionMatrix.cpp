#include "core/sheet/SelectionMatrix.h"

#include "core/document/SurveyDocument.h"

namespace kvf {

SelectionMatrix SelectionMatrix::AllSelected(const SurveyDocument& document) {
  return SelectionMatrix(document.DimensionCount(), document.maxDimensionAlternatives, true);
}

SelectionMatrix SelectionMatrix::NoneSelected(const SurveyDocument& document) {
  return SelectionMatrix(document.DimensionCount(), document.maxDimensionAlternatives, false);
}

}  // namespace kvf
