#pragma once
// Portable Document Format: one PDF page of exactly the picture's size (at 96 dpi), no margins.
#include "core/output/PictureFormat.h"

namespace kvf {

class PdfFormat final : public PictureFormat {
 public:
  BiText Title() const override {
    return {QStringLiteral("Portable Document Format"), QStringLiteral("Portable Document Format")};
  }
  QStringList Extensions() const override { return {QStringLiteral("pdf")}; }
  bool IsVector() const override { return true; }
  Status Write(const Picture& picture, const QString& path) const override;
};

}  // namespace kvf
