// The splash screen's texts and the toolkit's Swedish catalogue.
#include <QCoreApplication>
#include <gtest/gtest.h>

#include "app/startup/QtTranslations.h"
#include "app/startup/SplashScreen.h"

namespace kvf::app {
namespace {

TEST(Splash, VersionHasTwoMinorDigitsAndTheTitleShows) {
  EXPECT_EQ(SplashVersionText(3, 5), QStringLiteral("Version 3.05"));
  EXPECT_EQ(SplashVersionText(0, 12), QStringLiteral("Version 0.12"));
  SplashScreen splash;
  EXPECT_GE(splash.width(), splash.TitleLabel()->sizeHint().width());
}

// Only whether the catalogue is installed for Swedish; its contents are the
// distribution's.
TEST(ToolkitTranslation, InstalledForSwedishOnly) {
  EXPECT_FALSE(InstallToolkitTranslation(false));
  ASSERT_TRUE(InstallToolkitTranslation(true)) << ToolkitTranslationsFolder().toStdString();
  EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}

}  // namespace
}  // namespace kvf::app
