#pragma once
// Windows enhanced meta file: an enhanced metafile recorded by the EMF paint device (description: the application title
// and the picture's title).
#include "core/output/PictureFormat.h"

namespace kvf {

class EmfFormat final : public PictureFormat {
 public:
  BiText Title() const override {
    return {QStringLiteral("Windows enhanced meta file"), QStringLiteral("Windows utökad metafil")};
  }
  QStringList Extensions() const override { return {QStringLiteral("emf")}; }
  bool IsVector() const override { return true; }
  Status Write(const Picture& picture, const QString& path) const override;
};

}  // namespace kvf
