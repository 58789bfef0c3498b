#include "platform/clipboard/QtClipboard.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/metafile/MetafileTestSupport.h"

namespace kvf::platform {
namespace {

// One write offers every format of the entry at once, and the next write
// replaces all of them.
TEST(QtClipboardTest, PictureEntryOffersEveryFormatAndTextReplacesIt) {
  testing::EnsureGuiApplication();
  QtClipboard clipboard;
  ASSERT_TRUE(clipboard.Set(PictureEntry("EMF", "PNG", "SVG")));
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->data("image/emf"), "EMF");
  EXPECT_EQ(data->data("image/x-emf"), "EMF");
  EXPECT_EQ(data->data("application/x-openoffice-emf;windows_formatname=\"Image EMF\""), "EMF");
  EXPECT_EQ(data->data("image/png"), "PNG");
  EXPECT_EQ(data->data("image/svg+xml"), "SVG");
  EXPECT_FALSE(data->hasText());

  ASSERT_TRUE(clipboard.SetText("a\tb"));
  data = QGuiApplication::clipboard()->mimeData();
  EXPECT_EQ(data->text(), "a\tb");
  EXPECT_FALSE(data->hasFormat("image/emf"));
}

}  // namespace
}  // namespace kvf::platform
