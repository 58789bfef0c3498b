#pragma once
// Picture files: every format the program writes pictures in (the overview
// sheet, graphs, charts) is one PictureFormat in one table. A caller
// describes its picture once (a size and a routine that paints it on a
// QPainter) and hands it to whichever format the user picked; no caller
// switches over formats.
//
//   const PictureFormat* format = PictureFormatForPath(path);
//   if (!format) ...                       // not an extension we write
//   Picture picture{size, [&](QPainter& painter) { return Draw(painter); }};
//   picture.title = projectName;
//   if (Status written = format->Write(picture, path); !written) ...
//
// Files are replaced atomically (QSaveFile): a failed write leaves the old
// file as it was.
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "core/text/BiText.h"
#include "core/text/Result.h"
#include "platform/metafile/MetafileDrawing.h"

class QPainter;
class QPaintDevice;

namespace kvf {

// One picture, ready to be written in any format.
struct Picture {
  // The size in pixels (at 96 dpi on the metafiles' reference).
  QSize size;
  // Draws the picture at the painter's origin; false when drawing failed.
  // The painter is active and covers size. REQUIRES: set unless image is.
  std::function<bool(QPainter&)> paint;
  // A picture that already is a raster image (the screen sheet): raster
  // formats store its pixels as they are, the others paint it. When set,
  // size is its size and paint is not used.
  QImage image;
  // The document's name: the description of an enhanced metafile, the
  // title of SVG and PDF files.
  QString title;
  // The device the metafiles are made for (normally the program's screen).
  platform::MetafileReference reference;
};

// The codes of a failed PictureFormat::Write.
enum PictureWriteError : int {
  kPictureTooLarge = 1,     // the format cannot hold the size (or memory ran out)
  kPictureNotDrawn = 2,     // the paint routine or the encoder failed
  kPictureWriteFailed = 3,  // the file could not be written
};

class PictureFormat {
 public:
  virtual ~PictureFormat() = default;

  // The format's name in file dialogs, e.g. "Windows enhanced meta file".
  virtual BiText Title() const = 0;
  // The file name extensions, lower case without the dot; the first one is
  // the one a file of this format gets.
  virtual QStringList Extensions() const = 0;
  // Whether the file holds the drawing as vector records (and text as text)
  // rather than as pixels.
  virtual bool IsVector() const = 0;

  // Draws picture and writes it to path, replacing what the path held.
  // Failures carry one of the PictureWriteError codes.
  // REQUIRES: a QGuiApplication exists; picture.size has positive sides.
  virtual Status Write(const Picture& picture, const QString& path) const = 0;

  // The file dialog filter in the run's language: "Title (*.ext)".
  QString Filter() const;
};

// Every format, in the order file dialogs list them.
const std::vector<const PictureFormat*>& PictureFormats();
// The format of a file name by its extension, compared without regard to
// case; nullptr when no format has it.
const PictureFormat* PictureFormatForPath(const QString& path);
// The formats of chart pictures: every format above plus BMP, JPG and GIF.
const std::vector<const PictureFormat*>& ChartPictureFormats();
// As PictureFormatForPath, among ChartPictureFormats.
const PictureFormat* ChartPictureFormatForPath(const QString& path);
// The format whose Filter() is filter (in either language); nullptr if none.
const PictureFormat* PictureFormatForFilter(const QString& filter);

// Shared by the formats.
namespace picture_file {
// Writes bytes to path through QSaveFile; kPictureWriteFailed with the
// path and the system's reason when it fails.
Status WriteBytes(const QString& path, const QByteArray& bytes);
// kPictureWriteFailed: "PATH could not be written: REASON".
Status WriteFailed(const QString& path, const QString& reason);
// Paints picture on device with a fresh painter; false when the painter
// could not begin or end on the device or the paint routine failed.
bool Paint(QPaintDevice* device, const Picture& picture);
Status NotDrawn();
Status TooLarge(const QSize& size);
}  // namespace picture_file

}  // namespace kvf
