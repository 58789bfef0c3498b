#pragma once
// What kvf graph and kvf chart share: the --size option, the settings they
// read, and --print (one framed graph page on Qt's PDF printer, A4, with the
// settings' margins, written to a file atomically).
#include <QPainter>
#include <QPrinter>
#include <QRect>
#include <QString>
#include <QSize>
#include <functional>
#include <optional>

#include "core/document/SurveyDocument.h"
#include "core/settings/ProgramSettings.h"

namespace kvf::cli {

// "WxH" in pixels, each side 1 to 99999; nullopt for anything else.
std::optional<QSize> ParseSize(const QString& text);

// The settings a graph or chart is made with, read without writing the
// settings file.
struct StoredSettings {
  LastSettings last;
  ProgramOptions options;
};
StoredSettings ReadStoredSettings();

struct PrintedPageRequest {
  QString path;
  bool landscape = false;
  bool swedishDocument = false;  // the footer's language
  double ratio = 1.0;            // width / height of the graph on the screen
};

// Draws the graph into the fitted rectangle (printer pixels) on the
// printer; false when it does not fit.
using PageGraphDrawer = std::function<bool(QPainter&, const QRect&, const QPrinter&)>;

// Prints the page and writes it to request.path. Returns kExitOk, or
// kExitWriteFailed after writing the reason on standard error (a graph that
// does not fit, an empty frame, a file that cannot be written).
int PrintPageToPdf(const PrintedPageRequest& request, const SurveyDocument& document, const LastSettings& last,
                   const PageGraphDrawer& draw);

}  // namespace kvf::cli
