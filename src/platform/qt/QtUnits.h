// Conversions at the border between the logic and Qt: the logic's UTF-8 bytes and Qt's
// strings, the design's twips and Qt's device-independent pixels.
#pragma once

#include <QRect>
#include <QString>
#include <cmath>
#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace quorvel {

inline QString qs(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string bytes(const QString& text) {
  return text.toUtf8().toStdString();
}

inline int pixels(double twips) {
  return static_cast<int>(std::lround(twips / double{kTwipsPerPixel}));
}

inline float twips(int pixels) {
  return static_cast<float>(pixels) * kTwipsPerPixel;
}

// Both edges are rounded, so neighbouring controls that share an edge in twips share it in
// pixels too.
inline QRect pixelRect(int left, int top, int width, int height) {
  const int x = pixels(left);
  const int y = pixels(top);
  return QRect(x, y, pixels(left + width) - x, pixels(top + height) - y);
}

}  // namespace quorvel
