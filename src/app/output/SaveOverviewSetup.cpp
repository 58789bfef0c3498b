#include "app/output/SaveOverviewSetup.h"

#include <QDir>

namespace kvf::app {

namespace {
QString S(const char* text) { return QString::fromUtf8(text); }
}  // namespace

SaveOverviewSetup MakeSaveOverviewSetup(bool swedish, const QString& saveFolder, const QString& picturesFolder,
                                        int32_t saveFormat) {
  SaveOverviewSetup setup;
  setup.title = swedish ? S("Spara översikt") : S("Save Overview");
  setup.filters = swedish ? QStringList{S("Windows utökad metafil (*.emf)"), S("Windows metafil (*.wmf)")}
                          : QStringList{S("Windows enhanced meta file (*.emf)"), S("Windows meta file (*.wmf)")};
  setup.folder = !saveFolder.isEmpty() && QDir(saveFolder).exists() ? saveFolder : picturesFolder;
  setup.proposedFilter = saveFormat == 2 ? 2 : (saveFormat == 1 || (saveFormat >= 3 && saveFormat <= 7)) ? 1 : 0;
  return setup;
}

int SaveFilterIndex(const SaveOverviewSetup& setup, const QString& filter) {
  return static_cast<int>(setup.filters.indexOf(filter)) + 1;
}

const PictureFormat* SaveFormatForFilter(int filterIndex) {
  if (filterIndex == 1) return PictureFormatForPath(QStringLiteral("x.emf"));
  if (filterIndex == 2) return PictureFormatForPath(QStringLiteral("x.wmf"));
  return nullptr;
}

BiText SavingOverviewText() { return {S("Saving overview..."), S("Sparar översikt...")}; }
BiText OverviewSavedText() { return {S("Overview saved!"), S("Översikt sparad!")}; }
BiText OverviewNotSavedText() { return {S("Overview could not be saved!"), S("Översikt kunde inte sparas!")}; }
BiText NoSaveFormatText() {
  return {S("The overview could not be saved since you did not select what file format you wanted!"),
          S("Översikten kunde inte sparas eftersom du inte angav vilket filformat du ville ha!")};
}

}  // namespace kvf::app
