#include "document/printer_text_measure.h"

#include <climits>

namespace document {

PrinterTextMeasure::PrinterTextMeasure(HDC printer) : printer_(printer), lineHeight_(0) {
  TEXTMETRICA metrics{};
  if (GetTextMetricsA(printer, &metrics)) lineHeight_ = metrics.tmHeight + metrics.tmExternalLeading;
}

int PrinterTextMeasure::width(std::u16string_view run) const {
  if (run.empty() || run.size() > INT_MAX) return 0;
  SIZE extent{};
  if (!GetTextExtentPoint32W(printer_, reinterpret_cast<const wchar_t*>(run.data()), static_cast<int>(run.size()), &extent))
    return 0;
  return extent.cx;
}

int PrinterTextMeasure::lineHeight() const { return lineHeight_; }

}  // namespace document
