// Feeds arbitrary bytes to the .kvf reader. Anything but a clean result or
// a load error (a crash, a sanitizer report, a leak) is a fault.
//
// The first byte picks what the rest is:
//   even: a whole file, as a user might open it;
//   odd:  a payload, wrapped here in a valid header and CRC so that the
//         mutations reach the section decoder instead of dying at the CRC.
#include <QByteArray>
#include <QtEndian>
#include <cstddef>
#include <cstdint>
#include <zlib.h>

#include "core/document/KvfFormat.h"
#include "core/document/KvfReader.h"
#include "core/indexes/IndexCalculation.h"
#include "core/output/DataCopy.h"
#include "core/selection/DetailInfo.h"
#include "core/sheet/ViewState.h"

namespace {

QByteArray WrapPayload(const uint8_t* payload, size_t size) {
  QByteArray file(32, '\0');
  char* h = file.data();
  qToLittleEndian<uint32_t>(kvf::format::kMagic1, h);
  qToLittleEndian<uint32_t>(kvf::format::kMagic2, h + 4);
  qToLittleEndian<int32_t>(9, h + 8);
  qToLittleEndian<int32_t>(9, h + 12);
  qToLittleEndian<int32_t>(static_cast<int32_t>(32 + size + 4), h + 16);
  qToLittleEndian<int32_t>(static_cast<int32_t>(size), h + 20);
  qToLittleEndian<int32_t>(0, h + 24);
  qToLittleEndian<int32_t>(32, h + 28);
  file.append(reinterpret_cast<const char*>(payload), static_cast<qsizetype>(size));
  const uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(file.constData()), static_cast<uInt>(file.size()));
  char tail[4];
  qToLittleEndian<uint32_t>(static_cast<uint32_t>(crc), tail);
  file.append(tail, 4);
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > (1u << 24)) return 0;
  const bool wrap = (data[0] & 1) != 0;
  const QByteArray bytes = wrap ? WrapPayload(data + 1, size - 1)
                                : QByteArray::fromRawData(reinterpret_cast<const char*>(data + 1),
                                                          static_cast<qsizetype>(size - 1));
  kvf::SurveyDocument document;
  if (!kvf::DecodeKvf(bytes, document)) return 0;
  // Touch what later code relies on: every text, every answer, the indexes.
  for (const kvf::Question& q : document.questions) (void)document.GetText(q.name).size();
  for (int32_t q = 0; q < document.answers.QuestionCount(); ++q)
    for (int32_t r = 0; r < document.RespondentCount(); ++r) (void)document.GetData(r, q);
  if (document.info.HasIndexes()) {
    (void)kvf::CalculateTotalIndex(document, kvf::AllRespondents(document));
    for (size_t b = 0; b < document.blocks.size(); ++b)
      (void)kvf::CalculateBlockTotalIndex(document, static_cast<int32_t>(b));
  }
  // The first sheet, as a load builds it, and what is read from it.
  kvf::ViewState view;
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
