#pragma once
// Portable Network Graphics: the picture painted on a transparent ARGB image; a raster picture keeps its own pixels and
// format.
#include "core/output/PictureFormat.h"

namespace kvf {

class PngFormat final : public PictureFormat {
 public:
  BiText Title() const override {
    return {QStringLiteral("Portable Network Graphics"), QStringLiteral("Portable Network Graphics")};
  }
  QStringList Extensions() const override { return {QStringLiteral("png")}; }
  bool IsVector() const override { return false; }
  Status Write(const Picture& picture, const QString& path) const override;
};

// The image as PNG bytes; empty when it could not be encoded. The
// clipboard's PNG form uses it too.
QByteArray PngBytes(const QImage& image);

}  // namespace kvf
