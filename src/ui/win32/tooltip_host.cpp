#include "ui/win32/tooltip_host.h"

#include <commctrl.h>

#include "platform/win32/wide.h"
#include "ui/win32/win32_backend.h"

namespace ui::win32 {

HWND TooltipHost::Tips() {
  if (!tips_)
    tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form_, nullptr,
                            Backend().Instance(), nullptr);
  return tips_;
}

bool TooltipHost::Put(HWND window, UINT_PTR id, const RECT& area, bool present, const std::string* hint) {
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = form_;
  tool.uFlags = TTF_SUBCLASS | (window ? TTF_IDISHWND : 0u);
  tool.uId = window ? reinterpret_cast<UINT_PTR>(window) : id;
  tool.rect = area;
  if (present) SendMessageW(Tips(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (!hint) return false;
  std::wstring text = w32::Wide(*hint);
  tool.lpszText = text.data();
  return SendMessageW(Tips(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
}

}  // namespace ui::win32
