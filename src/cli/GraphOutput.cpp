#include "GraphOutput.h"

#include <QFile>
#include <QPageSize>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "CliCommon.h"
#include "core/output/PictureFormat.h"
#include "core/settings/ProgramKey.h"
#include "graphics/printing/PrintedGraphPage.h"
#include "platform/registry/FileRegistryStore.h"

namespace kvf::cli {

std::optional<QSize> ParseSize(const QString& text) {
  static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
  const QRegularExpressionMatch match = pattern.match(text);
  if (!match.hasMatch()) return std::nullopt;
  const QSize size(match.captured(1).toInt(), match.captured(2).toInt());
  if (size.width() < 1 || size.height() < 1) return std::nullopt;
  return size;
}

StoredSettings ReadStoredSettings() {
  platform::FileRegistryStore& store = platform::UserRegistryStore(platform::FileRegistryStore::Access::ReadOnly);
  const ProgramKey programKey = OpenProgramKey(store);
  return {ReadLastSettings(programKey.key, SystemSpecialFolders()), ReadSettings(programKey.key)};
}

int PrintPageToPdf(const PrintedPageRequest& request, const SurveyDocument& document, const LastSettings& last,
                   const PageGraphDrawer& draw) {
  QTemporaryDir folder;
  if (!folder.isValid()) {
    WriteError(graphics::GraphPrintFailedText().Get());
    return kExitWriteFailed;
  }
  // QPrinter writes its file itself; it goes to a private folder first so
  // that the target is replaced atomically.
  const QString temporary = folder.filePath(QStringLiteral("page.pdf"));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(temporary);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(request.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  printer.setDocName(document.GetText(document.info.projectName));
  graphics::PageInput input;
  input.projectName = document.GetText(document.info.projectName);
  input.swedishDocument = request.swedishDocument;
  input.bindingMargin = last.printerBindingMargin;
  input.otherMargins = last.printerOtherMargins;
  input.ratio = request.ratio;
  const Status printed = graphics::PrintGraphPage(
      printer, input, [&](QPainter& painter, const QRect& rect) { return draw(painter, rect, printer); });
  if (!printed) {
    WriteError(printed.Text());
    return kExitWriteFailed;
  }
  QFile file(temporary);
  if (!file.open(QIODevice::ReadOnly)) {
    WriteError(graphics::GraphPrintFailedText().Get());
    return kExitWriteFailed;
  }
  if (const Status written = picture_file::WriteBytes(request.path, file.readAll()); !written) {
    WriteError(written.Text());
    return kExitWriteFailed;
  }
  return kExitOk;
}

}  // namespace kvf::cli
