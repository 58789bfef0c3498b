// The toolkit's Swedish catalogue.
#include <gtest/gtest.h>
#include <QCoreApplication>

#include "app/startup/QtTranslations.h"

namespace kvf::app {
namespace {

// Only whether the catalogue is installed; its contents are the distribution's.
TEST(ToolkitTranslation, InstalledForSwedishOnly) {
  EXPECT_FALSE(InstallToolkitTranslation(false));
  ASSERT_TRUE(InstallToolkitTranslation(true)) << ToolkitTranslationsFolder().toStdString();
  EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}

}  // namespace
}  // namespace kvf::app
