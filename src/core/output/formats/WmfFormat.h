#pragma once
// Windows meta file: a placeable Windows metafile at 96 units per inch (16-bit coordinates: at most 32767 pixels a
// side).
#include "core/output/PictureFormat.h"

namespace kvf {

class WmfFormat final : public PictureFormat {
 public:
  BiText Title() const override { return {QStringLiteral("Windows meta file"), QStringLiteral("Windows metafil")}; }
  QStringList Extensions() const override { return {QStringLiteral("wmf")}; }
  bool IsVector() const override { return true; }
  Status Write(const Picture& picture, const QString& path) const override;
};

}  // namespace kvf
