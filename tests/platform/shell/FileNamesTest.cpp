#include "platform/shell/FileNames.h"

#include <gtest/gtest.h>

namespace kvf::platform {
namespace {

TEST(FileNames, SplitAtTheLastSeparator) {
  // Path, folder, name; a path without a separator is all name.
  for (const auto& [path, folder, name] : {std::tuple("/home/anna/survey.kvf", "/home/anna", "survey.kvf"),
                                           std::tuple("/survey.kvf", "", "survey.kvf"), std::tuple("survey.kvf", "", "survey.kvf")})
    EXPECT_EQ(std::make_tuple(FolderOfPath(path), FileNameOfPath(path)), std::make_tuple(QString(folder), QString(name)))
        << path;
  EXPECT_EQ(FileDisplayTitle(QStringLiteral("a/b/Survey 2026.kvf")), QStringLiteral("Survey 2026.kvf"));
}

}  // namespace
}  // namespace kvf::platform
