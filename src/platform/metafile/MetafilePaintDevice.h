#pragma once
// Paint devices that record a QPainter drawing and write it as a Windows
// metafile: EmfPaintDevice (enhanced metafile) and WmfPaintDevice
// (placeable Windows metafile).
//
// Use: construct with the picture's size in pixels (and the reference
// device, 96 dpi by default), paint with one or more QPainters in turn,
// end them, then ToBytes() or Save(path).
//
//   EmfPaintDevice emf(QSize(640, 480), projectName);
//   QPainter painter(&emf);
//   painter.fillRect(...); painter.drawText(...);
//   painter.end();
//   MetafileSaveResult saved = emf.Save(path);
//
// The devices report the picture's size and the reference's logical
// resolution (96 dpi when none is given), so a QPainter lays out text
// exactly as it does on a screen image of the same size. The reference is
// normally MetafileReference::ForScreen(the program's screen). What is recorded for each
// kind of drawing is described in MetafilePaintEngine.h; the records in
// EmfWriter.h and WmfWriter.h.
//
// A device is not copyable; it owns its paint engine and the recording.
// REQUIRES: a QGuiApplication exists (text is measured with the font
// database; a command-line program can use the "offscreen" platform), and
// the device is used on the thread that owns it.
#include <QByteArray>
#include <QPaintDevice>
#include <QSize>
#include <QString>

#include <memory>

#include "platform/metafile/MetafileDrawing.h"

namespace kvf::platform {

class MetafilePaintEngine;

enum class MetafileError {
  None,
  // The picture is larger than the format can address.
  TooLarge,
  // The file could not be written; the message says why. An existing file
  // at the path is left as it was.
  WriteFailed,
};

struct MetafileSaveResult {
  MetafileError error = MetafileError::None;
  QString message;  // the system's text for WriteFailed, else empty
  bool Ok() const { return error == MetafileError::None; }
};

// The recording device both formats share.
class MetafilePaintDevice : public QPaintDevice {
 public:
  // REQUIRES: sizePixels has no negative side.
  explicit MetafilePaintDevice(const QSize& sizePixels, const MetafileReference& reference = {});
  ~MetafilePaintDevice() override;
  MetafilePaintDevice(const MetafilePaintDevice&) = delete;
  MetafilePaintDevice& operator=(const MetafilePaintDevice&) = delete;

  QPaintEngine* paintEngine() const override;

  QSize Size() const { return drawing_.size; }
  const MetafileReference& Reference() const { return reference_; }
  // What has been drawn so far.
  const MetafileDrawing& Drawing() const { return drawing_; }

 protected:
  int metric(PaintDeviceMetric metric) const override;
  // Writes bytes to path atomically (through a temporary file).
  static MetafileSaveResult SaveBytes(const QString& path, const QByteArray& bytes);

 private:
  MetafileDrawing drawing_;
  MetafileReference reference_;
  mutable std::unique_ptr<MetafilePaintEngine> engine_;
};

// Records an enhanced metafile. Its description is "KVF Viewer", NUL, the
// project name, NUL.
class EmfPaintDevice final : public MetafilePaintDevice {
 public:
  EmfPaintDevice(const QSize& sizePixels, const QString& projectName, const MetafileReference& reference = {});

  QString Description() const { return description_; }

  // The metafile's bytes; empty when they would exceed the format's 4 GiB.
  // REQUIRES: no painter is active on the device.
  QByteArray ToBytes() const;
  // Writes ToBytes() to path, replacing what it held; TooLarge (nothing
  // written) when there are no bytes.
  MetafileSaveResult Save(const QString& path) const;

 private:
  QString description_;
};

// Records a placeable Windows metafile at 96 units per inch.
class WmfPaintDevice final : public MetafilePaintDevice {
 public:
  explicit WmfPaintDevice(const QSize& sizePixels, const MetafileReference& reference = {});

  // Whether a picture of this size fits the format's 16-bit coordinates.
  static bool CanHold(const QSize& sizePixels);

  // The file's bytes; empty when the picture is too large (!CanHold) or
  // the file would exceed the format's 32-bit sizes.
  // REQUIRES: no painter is active on the device.
  QByteArray ToBytes() const;
  // Writes ToBytes() to path; TooLarge (nothing written) when there are no
  // bytes.
  MetafileSaveResult Save(const QString& path) const;
};

// The application title that starts every enhanced metafile description.
inline constexpr char kMetafileApplicationTitle[] = "KVF Viewer";

}  // namespace kvf::platform
