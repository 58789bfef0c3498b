#pragma once
// The raster formats of chart pictures besides PNG: Windows Bitmap, JPEG
// (both through Qt's writers) and GIF (through giflib, since Qt cannot
// write GIF; the image is quantised to 256 colours with Qt's own
// conversion). The picture is painted on white: none of them keeps
// transparency.
#include "core/output/PictureFormat.h"

namespace kvf {

class RasterImageFormat final : public PictureFormat {
 public:
  enum class Kind { Bmp, Jpg, Gif };
  explicit RasterImageFormat(Kind kind) : kind_(kind) {}

  BiText Title() const override;
  QStringList Extensions() const override;
  bool IsVector() const override { return false; }
  Status Write(const Picture& picture, const QString& path) const override;

 private:
  Kind kind_;
};

// The GIF file of an image; empty when encoding failed.
QByteArray EncodeGif(const QImage& image);

}  // namespace kvf
