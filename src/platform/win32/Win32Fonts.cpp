#include "platform/win32/Win32Fonts.h"

namespace quorvel {

HFONT messageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  // The metrics come at the system's DPI, the one the window is built for.
  if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  }
  return ::CreateFontIndirectW(&metrics.lfMessageFont);
}

HFONT boldFont(FontSize size, int dpi) {
  int quarterPoints = 33;  // 8.25 points
  if (size == FontSize::Pt9_75) quarterPoints = 39;
  if (size == FontSize::Pt18) quarterPoints = 72;
  LOGFONTW font{};
  // Negative: the character height, as a point size means, not the cell's.
  font.lfHeight = -::MulDiv(quarterPoints, dpi, 72 * 4);
  font.lfWeight = FW_BOLD;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  ::lstrcpynW(font.lfFaceName, L"MS Sans Serif", LF_FACESIZE);
  return ::CreateFontIndirectW(&font);
}

}  // namespace quorvel
