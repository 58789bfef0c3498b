// Feeds arbitrary bytes to the .kvf reader. Anything but a clean result or
// a load error (a crash, a sanitizer report, a leak) is a fault.
//
// The first byte picks what the rest is:
//   even: a whole file, as a user might open it;
//   odd:  a payload, wrapped here in a valid header and CRC so that the
//         mutations reach the section decoder instead of dying at the CRC;
//         stored compressed when bit 1 is set too.
#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "FuzzInput.h"
#include "core/document/KvfReader.h"
#include "core/indexes/IndexCalculation.h"
#include "core/output/DataCopy.h"
#include "core/selection/DetailInfo.h"
#include "core/sheet/ViewState.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > (1u << 24)) return 0;
  const QByteArray rest(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
  const QByteArray bytes = (data[0] & 1) != 0 ? kvf::fuzz::WrapPayload(rest, (data[0] & 2) != 0) : rest;
  kvf::SurveyDocument document;
  if (!kvf::DecodeKvf(bytes, document)) return 0;
  if (document.info.HasIndexes()) {  // the indexes a load and the flex total compute
    (void)kvf::CalculateTotalIndex(document, kvf::AllRespondents(document));
    const std::vector<kvf::IndexSum> sums = kvf::QuestionIndexSums(document, kvf::AllRespondents(document));
    for (size_t b = 0; b < document.blocks.size(); ++b)
      (void)kvf::BlockIndexFromSums(document, static_cast<int32_t>(b), sums);
  }
  kvf::ViewState view;  // the first sheet, as a load builds it, and what is read from it
  view.Reseed(1);
  view.SetUserRowOrder(static_cast<int32_t>(size % 3));
  view.StartDocument(document);
  if (!view.CreateSubSheet(document, kvf::SelectionMatrix::AllSelected(document))) return 0;
  const kvf::SubSheet& sheet = view.Sheet();
  (void)kvf::OverviewDataText(document, sheet).size();
  if (!sheet.respondents.empty()) (void)kvf::RowAnswersText(document, sheet, sheet.respondents.front()).size();
  kvf::DetailInfo info;
  kvf::SetUpDetailInfo(document, &info);
  for (int32_t row = -3; row < 2; ++row)
    for (size_t column = 0; column < std::min<size_t>(sheet.columns.size(), 4); ++column)
      kvf::FillDetailInfo(document, sheet, row < 0 ? row : sheet.RespondentAt(row, 0), static_cast<int32_t>(column), &info);
  return 0;
}
