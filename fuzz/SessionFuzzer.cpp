// Opens arbitrary documents as the viewer does and works with them: the
// user's blocks from a settings text, a restricted selection and a flex
// total, the navigator's tree with a few clicks, the screen sheet and the
// overview as EMF and WMF. Anything but clean results or refusals is a
// fault, and so is work that grows beyond the load limits.
//
// Input: byte 0 chooses (bit 0: the document is a bare payload wrapped here
// in a valid header; bit 1: that payload is stored compressed; bits 2-7
// pick which alternatives the selection and the flex total drop), bytes 1-2
// give the length n of the settings text (.reg) that follows, and the rest
// is the document.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QtEndian>
#include <cstddef>
#include <cstdint>

#include "FuzzInput.h"
#include "core/output/OverviewPicture.h"
#include "core/output/PictureFormat.h"
#include "core/selection/NavigatorModel.h"
#include "core/session/DocumentSession.h"
#include "core/settings/UserBlocks.h"
#include "core/sheet/SheetDrawer.h"
#include "core/sheet/SheetLayout.h"
#include "platform/registry/MemoryRegistryStore.h"
#include "platform/registry/RegText.h"

namespace {

// The settings text's keys and values in a store of their own.
void ReadSettings(const QByteArray& text, kvf::platform::MemoryRegistryStore* store) {
  kvf::platform::RegistryTree tree;
  (void)kvf::platform::ParseRegText(text, &tree);  // what was read before a fault still counts
  const QString hive = QStringLiteral("HKEY_CURRENT_USER\\");
  for (const kvf::platform::RegistryTree::Key* key : tree.AllKeys()) {
    if (!key->path.startsWith(hive, Qt::CaseInsensitive)) continue;
    const QString path = key->path.mid(hive.size());
    store->CreateKey(path);
    for (const auto& [name, value] : key->values) store->SetValue(path, name, value);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication application(*argc, *argv);
  // Fontconfig and Qt's font caches allocate for the life of the process on
  // first use: do it here, so that the leak check of each input sees only
  // what that input did.
  QImage image(32, 32, QImage::Format_RGB32);
  QPainter painter(&image);
  for (const int scale : {1, 2}) {
    for (const QFont& font : {kvf::SheetFonts(scale).Bold(), kvf::SheetFonts(scale).Normal()}) {
      painter.setFont(font);
      painter.drawText(0, 16, QStringLiteral("Åj 1"));
    }
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3 || size > (1u << 24)) return 0;
  const uint8_t choice = data[0];
  const size_t settingsLength = std::min<size_t>(qFromLittleEndian<uint16_t>(data + 1), size - 3);
  const QByteArray settings(reinterpret_cast<const char*>(data + 3), static_cast<qsizetype>(settingsLength));
  const QByteArray rest(reinterpret_cast<const char*>(data + 3 + settingsLength),
                        static_cast<qsizetype>(size - 3 - settingsLength));
  const QByteArray file = (choice & 1) != 0 ? kvf::fuzz::WrapPayload(rest, (choice & 2) != 0) : rest;

  const QString path = QDir::temp().filePath(QStringLiteral("kvf-fuzz-session.kvf"));
  if (QFile out(path); !out.open(QIODevice::WriteOnly) || out.write(file) != file.size()) return 0;
  kvf::platform::MemoryRegistryStore store;
  ReadSettings(settings, &store);
  kvf::RegistryUserBlockSource userBlocks(store);
  kvf::DocumentSession session;
  session.SetUserBlockSource(&userBlocks);
  session.View().Reseed(choice);
  session.View().SetUserRowOrder(choice % 3);
  if (!session.LoadDocument(path, false)) return 0;
  kvf::SurveyDocument& document = session.MutableDocument();

  kvf::NavigatorModel navigator;  // some alternatives unchecked, the flex total narrowed, Show
  navigator.SetUp(document);
  const int step = 2 + (choice >> 2) % 5;
  std::vector<QString> keys;
  for (const kvf::NavigatorDimensionNode& dimension : navigator.Dimensions())
    for (size_t a = 0; a < dimension.alternatives.size() && keys.size() < 64; a += static_cast<size_t>(step))
      keys.push_back(dimension.alternatives[a].key);
  for (const QString& key : keys) navigator.SetChecked(document, key, false);
  for (int32_t a = 0; a < static_cast<int32_t>(navigator.FlexItems().size()); a += step)
    navigator.SetFlexChoice(a, false);
  navigator.SetFlexBasedOnSelection((choice & 4) != 0);
  (void)navigator.Show(document, session.View());

  // The sheet on the screen (a corner of it) and as metafiles.
  kvf::Result<kvf::SheetDrawer> made = kvf::SheetDrawer::Create(document);
  kvf::SheetDrawer drawer = made ? std::move(made).Value() : kvf::SheetDrawer();
  const kvf::SubSheet& sheet = session.View().Sheet();
  kvf::SheetState state;
  if (kvf::DrawSheet(drawer, document, sheet, kvf::SheetRequest{}, &state)) {
    QImage corner(64, 64, QImage::Format_RGB32);
    QPainter painter(&corner);
    state.PaintRegion(painter, QRect(0, 0, 64, 64), QPoint(0, 0));
  }
  kvf::OverviewOptions options;
  options.maxRows = 20;
  options.reference = kvf::platform::MetafileReference::ForResolution(96, 96);
  for (const char* name : {"overview.emf", "overview.wmf"}) {
    const QString out = QDir::temp().filePath(QStringLiteral("kvf-fuzz-session-") + QLatin1String(name));
    if (const kvf::PictureFormat* format = kvf::PictureFormatForPath(out))
      (void)kvf::SaveOverviewPicture(drawer, document, sheet, options, *format, false, out);
  }
  return 0;
}
