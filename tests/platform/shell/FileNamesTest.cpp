#include "platform/shell/FileNames.h"

#include <gtest/gtest.h>

namespace kvf::platform {
namespace {

TEST(FileNames, SplitsAtTheLastSeparator) {
  EXPECT_EQ(FolderOfPath(QStringLiteral("/home/anna/survey.kvf")), QStringLiteral("/home/anna"));
  EXPECT_EQ(FileNameOfPath(QStringLiteral("/home/anna/survey.kvf")), QStringLiteral("survey.kvf"));
  EXPECT_EQ(FolderOfPath(QStringLiteral("/survey.kvf")), QString());
  EXPECT_EQ(FileNameOfPath(QStringLiteral("/survey.kvf")), QStringLiteral("survey.kvf"));
}

TEST(FileNames, PathWithoutSeparatorIsAllName) {
  EXPECT_EQ(FolderOfPath(QStringLiteral("survey.kvf")), QString());
  EXPECT_EQ(FileNameOfPath(QStringLiteral("survey.kvf")), QStringLiteral("survey.kvf"));
  EXPECT_EQ(FileDisplayTitle(QStringLiteral("a/b/Survey 2026.kvf")), QStringLiteral("Survey 2026.kvf"));
}

}  // namespace
}  // namespace kvf::platform
