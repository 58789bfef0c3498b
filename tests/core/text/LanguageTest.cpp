#include "core/text/Language.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/text/BiText.h"

namespace kvf {
namespace {

// Sets the three locale variables for one test and restores them after.
class LocaleEnvironment {
 public:
  LocaleEnvironment(const char* all, const char* messages, const char* lang) {
    Save();
    Set("LC_ALL", all);
    Set("LC_MESSAGES", messages);
    Set("LANG", lang);
  }
  ~LocaleEnvironment() {
    for (const auto& [name, value] : saved_) Set(name.c_str(), value.empty() ? nullptr : value.c_str());
  }

 private:
  static void Set(const char* name, const char* value) {
    if (value == nullptr) ::unsetenv(name);
    else ::setenv(name, value, 1);
  }
  void Save() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
      const char* value = std::getenv(name);
      saved_.emplace_back(name, value ? value : "");
    }
  }
  std::vector<std::pair<std::string, std::string>> saved_;
};

TEST(Language, FirstNonEmptyVariableDecides) {
  struct Case {
    const char *all, *messages, *lang;
    bool swedish;
  };
  const Case cases[] = {{"sv_SE.UTF-8", "en_GB.UTF-8", "en_US.UTF-8", true},
                        {"en_GB.UTF-8", "sv_SE.UTF-8", "sv_SE.UTF-8", false},
                        {"", "sv_FI", "en_US.UTF-8", true},
                        {nullptr, nullptr, "sv", true},
                        {nullptr, nullptr, nullptr, false}};
  for (const Case& c : cases) {
    LocaleEnvironment env(c.all, c.messages, c.lang);
    EXPECT_EQ(SwedishFromEnvironment(), c.swedish) << (c.all ? c.all : "-") << " " << (c.lang ? c.lang : "-");
  }
}

TEST(Language, BiTextFollowsTheRunFlag) {
  const BiText text{QStringLiteral("Open"), QStringLiteral("Öppna")};
  SetSwedish(true);
  EXPECT_EQ(text.Get(), QStringLiteral("Öppna"));
  SetSwedish(false);
  EXPECT_EQ(text.Get(), QStringLiteral("Open"));
  EXPECT_EQ(text.Get(true), QStringLiteral("Öppna"));
}

}  // namespace
}  // namespace kvf
