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
    const char* values[] = {all, messages, lang};
    for (int k = 0; k < 3; ++k) {
      const char* old = std::getenv(kNames[k]);
      saved_[k] = old ? old : "";
      Set(kNames[k], values[k]);
    }
  }
  ~LocaleEnvironment() {
    for (int k = 0; k < 3; ++k) Set(kNames[k], saved_[k].empty() ? nullptr : saved_[k].c_str());
  }

 private:
  static constexpr const char* kNames[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  static void Set(const char* name, const char* value) { value ? ::setenv(name, value, 1) : ::unsetenv(name); }
  std::string saved_[3];
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
  EXPECT_EQ(std::make_tuple(text.Get(), text.Get(true)), std::make_tuple(QStringLiteral("Open"), QStringLiteral("Öppna")));
}

}  // namespace
}  // namespace kvf
