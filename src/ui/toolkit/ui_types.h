#pragma once
#include <cstdint>

// The plain value types the toolkit's interface is written in. They keep the Windows names the
// window and control code is written against, but carry no operating-system meaning: a HWND is a
// process-local window id, an HDC an opaque paint target, colours are 0xAARRGGBB.

using UINT = uint32_t;
using DWORD = uint32_t;
using WORD = uint16_t;
using BYTE = uint8_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using TCHAR = char;
using LPCTSTR = const char*;
using LPTSTR = char*;
using HINSTANCE = void*;

// A window id handed out by the toolkit; never reused within a process, so a stale handle
// addresses nothing rather than a newer window.
using HWND = struct HWND__*;
// The paint target of one paint pass; only the toolkit and the controls' paint code use it.
using HDC = struct CPaintDC*;

struct POINT {
  int x = 0;
  int y = 0;
};

struct SIZE {
  int cx = 0;
  int cy = 0;
};

struct RECT {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

inline bool operator==(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }
inline bool operator==(const SIZE& a, const SIZE& b) { return a.cx == b.cx && a.cy == b.cy; }
inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline int RectWidth(const RECT& rc) { return rc.right - rc.left; }
inline int RectHeight(const RECT& rc) { return rc.bottom - rc.top; }
inline bool IsRectEmpty(const RECT& rc) { return rc.right <= rc.left || rc.bottom <= rc.top; }
inline bool PtInRect(const RECT& rc, POINT pt) {
  return pt.x >= rc.left && pt.x < rc.right && pt.y >= rc.top && pt.y < rc.bottom;
}
// False (and an empty result) when the two do not overlap; touching edges do not overlap.
bool IntersectRect(RECT& result, const RECT& a, const RECT& b);
void OffsetRect(RECT& rc, int dx, int dy);
// Shrinks by the insets (positive values move every edge inwards).
void DeflateRect(RECT& rc, const RECT& insets);

inline DWORD MakeArgb(BYTE a, BYTE r, BYTE g, BYTE b) {
  return (DWORD(a) << 24) | (DWORD(r) << 16) | (DWORD(g) << 8) | DWORD(b);
}
inline BYTE ArgbAlpha(DWORD c) { return BYTE(c >> 24); }
inline BYTE ArgbRed(DWORD c) { return BYTE(c >> 16); }
inline BYTE ArgbGreen(DWORD c) { return BYTE(c >> 8); }
inline BYTE ArgbBlue(DWORD c) { return BYTE(c); }

inline WORD LOWORD(uintptr_t v) { return WORD(v & 0xFFFF); }
inline WORD HIWORD(uintptr_t v) { return WORD((v >> 16) & 0xFFFF); }
inline LPARAM MAKELPARAM(int low, int high) { return LPARAM(DWORD(WORD(low)) | (DWORD(WORD(high)) << 16)); }
// Client coordinates packed by MAKELPARAM are signed 16-bit values.
inline int GET_X_LPARAM(LPARAM l) { return int(int16_t(LOWORD(uintptr_t(l)))); }
inline int GET_Y_LPARAM(LPARAM l) { return int(int16_t(HIWORD(uintptr_t(l)))); }
