#pragma once
// Measures text on a printer in its device units, in the font selected into its device context.
#include <windows.h>

#include "document/print_layout.h"

namespace document {

class PrinterTextMeasure : public TextMeasure {
 public:
  explicit PrinterTextMeasure(HDC printer);
  int width(std::u16string_view run) const override;
  int lineHeight() const override;

 private:
  HDC printer_;
  int lineHeight_;
};

}  // namespace document
