// What a screen reader hears of the boxes and lists, which show no caption of their own: a
// name and a description set on their windows through Dynamic Annotation (IAccPropServices).
// Labels and buttons are announced by the text they show, so a user hears what is seen.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/Platform.h"

struct IAccPropServices;

namespace quorvel {

// The tooltip, trimmed, or when there is none what the control is for.
std::string accessibleDescription(const ControlDesign& control, std::string_view toolTip);

class Win32Accessibility {
 public:
  Win32Accessibility();
  ~Win32Accessibility();
  Win32Accessibility(const Win32Accessibility&) = delete;
  Win32Accessibility& operator=(const Win32Accessibility&) = delete;

  // False when the system offers no annotation service or refuses the property.
  bool setName(HWND control, std::string_view name);
  bool setDescription(HWND control, std::string_view description);

 private:
  bool set(HWND control, const GUID& property, std::string_view text);

  IAccPropServices* services_ = nullptr;
  bool comStarted_ = false;
};

}  // namespace quorvel
