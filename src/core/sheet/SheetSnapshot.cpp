#include "core/sheet/SheetSnapshot.h"

namespace kvf {

SheetSnapshot::SheetSnapshot(const SurveyDocument& document) : document_(document) {
  Result<SheetDrawer> made = SheetDrawer::Create(document_);
  if (made) drawer_ = std::move(made).Value();
}

Result<std::shared_ptr<const SheetSnapshot>> SheetSnapshot::Take(const SurveyDocument& document, const SubSheet& sheet,
                                                                 const SheetRequest& request) {
  std::shared_ptr<SheetSnapshot> snapshot(new SheetSnapshot(document));
  if (const Status drawn = DrawSheet(snapshot->drawer_, snapshot->document_, sheet, request, &snapshot->state_); !drawn)
    return drawn;
  return std::shared_ptr<const SheetSnapshot>(std::move(snapshot));
}

}  // namespace kvf
