#pragma once
// Scalable Vector Graphics: Qt's SVG generator at 96 dpi, the view box the picture's size.
#include "core/output/PictureFormat.h"

namespace kvf {

class SvgFormat final : public PictureFormat {
 public:
  BiText Title() const override {
    return {QStringLiteral("Scalable Vector Graphics"), QStringLiteral("Scalable Vector Graphics")};
  }
  QStringList Extensions() const override { return {QStringLiteral("svg")}; }
  bool IsVector() const override { return true; }
  Status Write(const Picture& picture, const QString& path) const override;
};

// The picture as SVG bytes, as Write stores them; empty when it could not
// be drawn. The clipboard's SVG form uses it too.
QByteArray SvgBytes(const Picture& picture);

}  // namespace kvf
