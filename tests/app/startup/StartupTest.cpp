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
  EXPECT_EQ(splash.TitleLabel()->text(), QStringLiteral("KVF Viewer"));
  EXPECT_TRUE(splash.VersionLabel()->text().startsWith(QStringLiteral("Version ")));
  EXPECT_GE(splash.width(), splash.TitleLabel()->sizeHint().width());
}

TEST(ToolkitTranslation, EnglishInstallsNothing) { EXPECT_FALSE(InstallToolkitTranslation(false)); }

TEST(ToolkitTranslation, SwedishTranslatesTheStandardButtons) {
  ASSERT_TRUE(InstallToolkitTranslation(true)) << ToolkitTranslationsFolder().toStdString();
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ja"));
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Avbryt"));
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Unknown text"), QStringLiteral("Unknown text"));
  // The file dialog's own texts come from the distribution's catalogue.
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "New Folder"), QStringLiteral("Ny mapp"));
}

}  // namespace
}  // namespace kvf::app
