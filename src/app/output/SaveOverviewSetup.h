#pragma once
// What Save Overview As shows and decides around its file dialog: the
// title, the two filters (EMF first, then placeable WMF; with their
// patterns, as Linux file dialogs always show extensions), the folder it
// opens in ("Graph Save Folder", or the user's Pictures folder when that
// setting is empty or names a folder that is gone), the proposed filter
// from "Graph Save Format" (2 WMF; 1 and 3 to 7 EMF; else none), and the
// picture format the chosen filter stands for, whatever extension the
// typed name has.
#include <QString>
#include <QStringList>
#include <cstdint>

#include "core/output/PictureFormat.h"
#include "core/text/BiText.h"

namespace kvf::app {

struct SaveOverviewSetup {
  QString title;
  QStringList filters;  // index 0 EMF, 1 WMF
  QString folder;
  int proposedFilter = 0;  // 1 EMF, 2 WMF, 0 no proposal
};

SaveOverviewSetup MakeSaveOverviewSetup(bool swedish, const QString& saveFolder, const QString& picturesFolder,
                                        int32_t saveFormat);

// The 1-based filter index of a filter text of setup; 0 when it is none.
int SaveFilterIndex(const SaveOverviewSetup& setup, const QString& filter);
// The format a filter index writes: EMF for 1, WMF for 2, else nullptr.
const PictureFormat* SaveFormatForFilter(int filterIndex);

BiText SavingOverviewText();    // "Saving overview..."
BiText OverviewSavedText();     // "Overview saved!"
BiText OverviewNotSavedText();  // "Overview could not be saved!"
BiText NoSaveFormatText();      // the message when no format was chosen

}  // namespace kvf::app
