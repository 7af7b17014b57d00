#include "velkor/offerwall/rows/ofw_ad_row_cell.h"

#include "velkor/offerwall/rows/row_style.h"

namespace velkor {

OfwAdRowCell::OfwAdRowCell() : dimension_(currentDimension()), colorScheme_(currentColorScheme()) {
  setBackgroundColor(ui::Color::clear());
  setSelectionStyle(ui::TableViewCellSelectionStyle::none);
}

void OfwAdRowCell::updateStatus(const ItemBase& itemBase) {
  if (const auto* item = dynamic_cast<const AdItem*>(&itemBase)) updateStatus(item->ad());
}

}  // namespace velkor
