// The document builder maps values to answers through a table when it can
// and value by value when it cannot; both must give the same document.
#include <gtest/gtest.h>

#include <cmath>

#include "core/document/KvfReader.h"
#include "import/DocumentBuilder.h"
#include "import/ImportMapping.h"

namespace kvf::import {
namespace {

TEST(DocumentBuilderTest, MapsEveryKindOfColumnToTheSameAnswers) {
  const double nan = std::nan("");
  struct Column {
    std::vector<double> values;
    std::map<double, QString> labels;
    std::vector<int32_t> answers;  // as decoded
    int32_t alternatives;          // "No answer" included
  } columns[] = {
      {{1, 2, nan, 9, 5}, {{1, "a"}, {5, "e"}}, {1, 2, 0, 0, 3}, 4},  // 9 declared missing
      {{1, 7, 2, 7, 9}, {{1, "a"}, {2, "b"}}, {1, 3, 2, 3, 0}, 4},    // an unlabelled code joins
      {{1.5, 2, 1e5, nan, 2}, {{1.5, "x"}}, {1, 2, 3, 0, 2}, 4},      // a fraction and a far code
      {{-3000, 3000, 1, 1, 9}, {{1, "x"}}, {1, 3, 2, 2, 0}, 4},       // wider than any table
  };
  SourceData source;
  source.rows = 5;
  for (size_t k = 0; k < std::size(columns); ++k) {
    SourceVariable v;
    v.name = QStringLiteral("q%1").arg(k);
    v.numbers = columns[k].values;
    v.valueLabels = columns[k].labels;
    v.missingValues = {9};
    source.variables.push_back(v);
  }
  Result<ImportMapping> mapping = ProposeMapping(source, ImportOptions{});
  ASSERT_TRUE(mapping.ok());
  // An edited mapping that leaves out a code: the builder adds it back.
  ImportMapping edited = mapping.Value();
  edited.questions[1].alternatives.pop_back();
  for (const ImportMapping& m : {mapping.Value(), edited}) {
    Result<QByteArray> file = BuildDocumentFile(source, m, DocumentIdentity{});
    ASSERT_TRUE(file.ok());
    SurveyDocument document;
    ASSERT_TRUE(DecodeKvf(file.Value(), document).ok());
    for (int32_t q = 0; q < static_cast<int32_t>(std::size(columns)); ++q) {
      EXPECT_EQ(document.questions[static_cast<size_t>(q)].alternativeCount, columns[q].alternatives) << q;
      for (int32_t r = 0; r < 5; ++r) EXPECT_EQ(document.GetData(r, q), columns[q].answers[r]) << q << ' ' << r;
    }
  }
}

}  // namespace
}  // namespace kvf::import
