#include "framework/shell_open.h"

#include <shellapi.h>

#include "framework/handler_slot.h"
#include "framework/wide.h"

namespace quillon {
namespace {

HandlerSlot<ShellOpenHandler>& Slot() {
  static HandlerSlot<ShellOpenHandler> slot;
  return slot;
}

const wchar_t* WideOrNull(const std::u16string& text) {
  return text.empty() ? nullptr : Wide(text);
}

INT_PTR ExecuteForReal(const ShellOpenRequest& request) {
  return reinterpret_cast<INT_PTR>(
      ::ShellExecuteW(request.owner, WideOrNull(request.verb), Wide(request.file),
                      WideOrNull(request.parameters), WideOrNull(request.directory), request.show));
}

}  // namespace

INT_PTR ShellOpen(const ShellOpenRequest& request) {
  const ShellOpenHandler handler = Slot().Get();
  return handler ? handler(request) : ExecuteForReal(request);
}

INT_PTR ShellOpen(HWND owner, const std::u16string& verb, const std::u16string& file,
                  const std::u16string& parameters) {
  return ShellOpen(ShellOpenRequest{owner, verb, file, parameters, {}, SW_SHOWNORMAL});
}

ShellOpenHandler SetShellOpenHandler(ShellOpenHandler handler) {
  return Slot().Replace(std::move(handler));
}

}  // namespace quillon
