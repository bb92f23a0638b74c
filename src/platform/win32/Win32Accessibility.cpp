#include "platform/win32/Win32Accessibility.h"

// initguid.h first: oleacc.h then defines the service's and the properties' GUIDs here.
#include <initguid.h>
#include <oleacc.h>

#include "platform/win32/WideText.h"

namespace quorvel {

std::string accessibleDescription(const ControlDesign& control, std::string_view toolTip) {
  const auto first = toolTip.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::string(control.purpose);
  return std::string(toolTip.substr(first, toolTip.find_last_not_of(' ') - first + 1));
}

Win32Accessibility::Win32Accessibility() {
  comStarted_ = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  void* services = nullptr;
  if (SUCCEEDED(::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IAccPropServices, &services))) {
    services_ = static_cast<IAccPropServices*>(services);
  }
}

Win32Accessibility::~Win32Accessibility() {
  if (services_ != nullptr) services_->Release();
  if (comStarted_) ::CoUninitialize();
}

bool Win32Accessibility::setName(HWND control, std::string_view name) {
  return set(control, PROPID_ACC_NAME, name);
}

bool Win32Accessibility::setDescription(HWND control, std::string_view description) {
  return set(control, PROPID_ACC_DESCRIPTION, description);
}

bool Win32Accessibility::set(HWND control, const GUID& property, std::string_view text) {
  if (services_ == nullptr || control == nullptr) return false;
  const std::wstring wide = toWide(text);
  return SUCCEEDED(services_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT),
                                             CHILDID_SELF, property, wide.c_str()));
}

}  // namespace quorvel
