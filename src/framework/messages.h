#pragma once

#include <cstdint>
#include <functional>

#include "platform/geometry.h"

namespace somnara::fw {

// A window message with the desktop platform's numbering, so that code written against
// those numbers (a frame that takes over a window's procedure) reads the same here.
struct Message {
  uint32_t msg = 0;
  uintptr_t wParam = 0;
  intptr_t lParam = 0;
  intptr_t result = 0;
};

using WindowProcedure = std::function<void(Message&)>;

// Messages.
inline constexpr uint32_t WM_NULL = 0x0000;
inline constexpr uint32_t WM_CREATE = 0x0001;
inline constexpr uint32_t WM_DESTROY = 0x0002;
inline constexpr uint32_t WM_MOVE = 0x0003;
inline constexpr uint32_t WM_SIZE = 0x0005;
inline constexpr uint32_t WM_ACTIVATE = 0x0006;
inline constexpr uint32_t WM_SETFOCUS = 0x0007;
inline constexpr uint32_t WM_KILLFOCUS = 0x0008;
inline constexpr uint32_t WM_ENABLE = 0x000A;
inline constexpr uint32_t WM_SETTEXT = 0x000C;
inline constexpr uint32_t WM_PAINT = 0x000F;
inline constexpr uint32_t WM_CLOSE = 0x0010;
inline constexpr uint32_t WM_QUIT = 0x0012;
inline constexpr uint32_t WM_ERASEBKGND = 0x0014;
inline constexpr uint32_t WM_SHOWWINDOW = 0x0018;
inline constexpr uint32_t WM_ACTIVATEAPP = 0x001C;
inline constexpr uint32_t WM_SETCURSOR = 0x0020;
inline constexpr uint32_t WM_MOUSEACTIVATE = 0x0021;
inline constexpr uint32_t WM_GETMINMAXINFO = 0x0024;
inline constexpr uint32_t WM_WINDOWPOSCHANGING = 0x0046;
inline constexpr uint32_t WM_WINDOWPOSCHANGED = 0x0047;
inline constexpr uint32_t WM_NCCALCSIZE = 0x0083;
inline constexpr uint32_t WM_NCHITTEST = 0x0084;
inline constexpr uint32_t WM_NCPAINT = 0x0085;
inline constexpr uint32_t WM_NCACTIVATE = 0x0086;
inline constexpr uint32_t WM_GETDLGCODE = 0x0087;
inline constexpr uint32_t WM_NCMOUSEMOVE = 0x00A0;
inline constexpr uint32_t WM_NCLBUTTONDOWN = 0x00A1;
inline constexpr uint32_t WM_NCLBUTTONUP = 0x00A2;
inline constexpr uint32_t WM_NCLBUTTONDBLCLK = 0x00A3;
inline constexpr uint32_t WM_NCRBUTTONDOWN = 0x00A4;
inline constexpr uint32_t WM_NCRBUTTONUP = 0x00A5;
inline constexpr uint32_t WM_NCMBUTTONDOWN = 0x00A7;
inline constexpr uint32_t WM_NCMBUTTONUP = 0x00A8;
inline constexpr uint32_t WM_KEYDOWN = 0x0100;
inline constexpr uint32_t WM_KEYUP = 0x0101;
inline constexpr uint32_t WM_CHAR = 0x0102;
inline constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
inline constexpr uint32_t WM_SYSKEYUP = 0x0105;
inline constexpr uint32_t WM_SYSCHAR = 0x0106;
inline constexpr uint32_t WM_COMMAND = 0x0111;
inline constexpr uint32_t WM_SYSCOMMAND = 0x0112;
inline constexpr uint32_t WM_TIMER = 0x0113;
inline constexpr uint32_t WM_MOUSEMOVE = 0x0200;
inline constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
inline constexpr uint32_t WM_LBUTTONUP = 0x0202;
inline constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
inline constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
inline constexpr uint32_t WM_RBUTTONUP = 0x0205;
inline constexpr uint32_t WM_RBUTTONDBLCLK = 0x0206;
inline constexpr uint32_t WM_MBUTTONDOWN = 0x0207;
inline constexpr uint32_t WM_MBUTTONUP = 0x0208;
inline constexpr uint32_t WM_MDIACTIVATE = 0x0222;
inline constexpr uint32_t WM_MDIRESTORE = 0x0223;
inline constexpr uint32_t WM_MDIMAXIMIZE = 0x0225;
inline constexpr uint32_t WM_MDIREFRESHMENU = 0x0234;
inline constexpr uint32_t WM_CAPTURECHANGED = 0x0215;
// The pointer left the window's non-client area (for the client area, or the window).
inline constexpr uint32_t WM_NCMOUSELEAVE = 0x02A2;
inline constexpr uint32_t WM_MOUSELEAVE = 0x02A3;
inline constexpr uint32_t WM_USER = 0x0400;

// The framework's own notifications (component messages).
inline constexpr uint32_t CM_BASE = 0xB000;
inline constexpr uint32_t CM_MOUSEENTER = CM_BASE + 19;
inline constexpr uint32_t CM_MOUSELEAVE = CM_BASE + 20;
inline constexpr uint32_t CM_FOCUSCHANGED = CM_BASE + 7;
inline constexpr uint32_t CM_ENABLEDCHANGED = CM_BASE + 2;
inline constexpr uint32_t CM_VISIBLECHANGED = CM_BASE + 9;
inline constexpr uint32_t CM_FONTCHANGED = CM_BASE + 17;
inline constexpr uint32_t CM_COLORCHANGED = CM_BASE + 18;
inline constexpr uint32_t CM_TEXTCHANGED = CM_BASE + 24;
inline constexpr uint32_t CM_DIALOGKEY = CM_BASE + 5;
inline constexpr uint32_t CM_DIALOGCHAR = CM_BASE + 6;
inline constexpr uint32_t CM_PARENTCOLORCHANGED = CM_BASE + 29;
inline constexpr uint32_t CM_PARENTFONTCHANGED = CM_BASE + 30;
// Sent around the re-creation of a window, after which a caption style may be back.
inline constexpr uint32_t CM_RECREATEWND = CM_BASE + 51;     // 0xB033
inline constexpr uint32_t CM_SHOWINGCHANGED = CM_BASE + 58;  // 0xB03A
inline constexpr uint32_t CM_RELEASE = CM_BASE + 33;

// WM_SYSCOMMAND codes.
inline constexpr uintptr_t SC_SIZE = 0xF000;
inline constexpr uintptr_t SC_MOVE = 0xF010;
inline constexpr uintptr_t SC_MINIMIZE = 0xF020;
inline constexpr uintptr_t SC_MAXIMIZE = 0xF030;
inline constexpr uintptr_t SC_CLOSE = 0xF060;
inline constexpr uintptr_t SC_RESTORE = 0xF120;
inline constexpr uintptr_t SC_MONITORPOWER = 0xF170;

// WM_NCHITTEST answers.
inline constexpr intptr_t HTERROR = -2;
inline constexpr intptr_t HTTRANSPARENT = -1;
inline constexpr intptr_t HTNOWHERE = 0;
inline constexpr intptr_t HTCLIENT = 1;
inline constexpr intptr_t HTCAPTION = 2;
inline constexpr intptr_t HTSYSMENU = 3;
inline constexpr intptr_t HTMINBUTTON = 8;
inline constexpr intptr_t HTMAXBUTTON = 9;
inline constexpr intptr_t HTLEFT = 10;
inline constexpr intptr_t HTRIGHT = 11;
inline constexpr intptr_t HTTOP = 12;
inline constexpr intptr_t HTTOPLEFT = 13;
inline constexpr intptr_t HTTOPRIGHT = 14;
inline constexpr intptr_t HTBOTTOM = 15;
inline constexpr intptr_t HTBOTTOMLEFT = 16;
inline constexpr intptr_t HTBOTTOMRIGHT = 17;
inline constexpr intptr_t HTBORDER = 18;
inline constexpr intptr_t HTCLOSE = 20;

// WM_ACTIVATE low word.
inline constexpr uintptr_t WA_INACTIVE = 0;
inline constexpr uintptr_t WA_ACTIVE = 1;
inline constexpr uintptr_t WA_CLICKACTIVE = 2;

// WM_SIZE wParam.
inline constexpr uintptr_t SIZE_RESTORED = 0;
inline constexpr uintptr_t SIZE_MINIMIZED = 1;
inline constexpr uintptr_t SIZE_MAXIMIZED = 2;

// WM_GETDLGCODE answers.
inline constexpr intptr_t DLGC_WANTARROWS = 0x0001;
inline constexpr intptr_t DLGC_WANTTAB = 0x0002;
inline constexpr intptr_t DLGC_WANTALLKEYS = 0x0004;
inline constexpr intptr_t DLGC_WANTCHARS = 0x0080;

// Mouse message wParam bits.
inline constexpr uintptr_t MK_LBUTTON = 0x0001;
inline constexpr uintptr_t MK_RBUTTON = 0x0002;
inline constexpr uintptr_t MK_SHIFT = 0x0004;
inline constexpr uintptr_t MK_CONTROL = 0x0008;
inline constexpr uintptr_t MK_MBUTTON = 0x0010;

// Window style bits.
inline constexpr uint32_t WS_BORDER = 0x00800000;
inline constexpr uint32_t WS_DLGFRAME = 0x00400000;
inline constexpr uint32_t WS_CAPTION = 0x00C00000;
inline constexpr uint32_t WS_SYSMENU = 0x00080000;
inline constexpr uint32_t WS_THICKFRAME = 0x00040000;
inline constexpr uint32_t WS_MINIMIZEBOX = 0x00020000;
inline constexpr uint32_t WS_MAXIMIZEBOX = 0x00010000;
inline constexpr uint32_t WS_POPUP = 0x80000000;
inline constexpr uint32_t WS_VISIBLE = 0x10000000;

// SetWindowPos flags.
inline constexpr uint32_t SWP_NOSIZE = 0x0001;
inline constexpr uint32_t SWP_NOMOVE = 0x0002;
inline constexpr uint32_t SWP_NOZORDER = 0x0004;
inline constexpr uint32_t SWP_NOACTIVATE = 0x0010;
inline constexpr uint32_t SWP_FRAMECHANGED = 0x0020;

// Virtual keys.
inline constexpr uint32_t VK_BACK = 0x08;
inline constexpr uint32_t VK_TAB = 0x09;
inline constexpr uint32_t VK_RETURN = 0x0D;
inline constexpr uint32_t VK_SHIFT = 0x10;
inline constexpr uint32_t VK_CONTROL = 0x11;
inline constexpr uint32_t VK_MENU = 0x12;
inline constexpr uint32_t VK_ESCAPE = 0x1B;
inline constexpr uint32_t VK_SPACE = 0x20;
inline constexpr uint32_t VK_PRIOR = 0x21;
inline constexpr uint32_t VK_NEXT = 0x22;
inline constexpr uint32_t VK_END = 0x23;
inline constexpr uint32_t VK_HOME = 0x24;
inline constexpr uint32_t VK_LEFT = 0x25;
inline constexpr uint32_t VK_UP = 0x26;
inline constexpr uint32_t VK_RIGHT = 0x27;
inline constexpr uint32_t VK_DOWN = 0x28;
inline constexpr uint32_t VK_DELETE = 0x2E;
inline constexpr uint32_t VK_F1 = 0x70;

// Parameters packed as the platform packs them.
inline constexpr intptr_t MakeLParam(int lo, int hi) {
  return intptr_t(uint32_t(uint16_t(lo)) | (uint32_t(uint16_t(hi)) << 16));
}
inline constexpr int LoWord(intptr_t v) {
  return int(uint16_t(uint32_t(v) & 0xFFFF));
}
inline constexpr int HiWord(intptr_t v) {
  return int(uint16_t((uint32_t(v) >> 16) & 0xFFFF));
}
// Signed coordinates out of a mouse message's lParam.
inline constexpr int XFromLParam(intptr_t v) {
  return int(int16_t(uint32_t(v) & 0xFFFF));
}
inline constexpr int YFromLParam(intptr_t v) {
  return int(int16_t((uint32_t(v) >> 16) & 0xFFFF));
}

// WM_NCCALCSIZE: lParam points at this; rgrc[0] comes in as the window rectangle and goes
// out as the client rectangle, both in the parent's coordinates.
struct NcCalcSizeParams {
  Rect rgrc[3];
};

}  // namespace somnara::fw
