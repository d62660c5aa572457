#pragma once
#include "ui/toolkit/draw_info.h"
#include "ui/toolkit/dui_string.h"
#include "ui/toolkit/ui_types.h"

class CPaintManagerUI;

// Drawing primitives for controls' paint code. Rectangles are window pixels; colours ARGB (an
// alpha below 255 blends); everything is antialiased. Font ids are the window's (-1 = default).
class CRenderEngine {
 public:
  static void DrawColor(HDC hDC, const RECT& rc, DWORD color);
  // Vertical (or horizontal) two-colour gradient.
  static void DrawGradient(HDC hDC, const RECT& rc, DWORD dwFirst, DWORD dwSecond, bool bVertical);
  // A line from (left, top) to (right, bottom).
  static void DrawLine(HDC hDC, const RECT& rc, int nSize, DWORD dwPenColor);
  // A frame of nSize pixels inside rc.
  static void DrawRect(HDC hDC, const RECT& rc, int nSize, DWORD dwPenColor);
  static void DrawRoundRect(HDC hDC, const RECT& rc, int nSize, int width, int height, DWORD dwPenColor);
  static void FillRoundRect(HDC hDC, const RECT& rc, int width, int height, DWORD dwColor);
  static void DrawEllipse(HDC hDC, const RECT& rc, int nSize, DWORD dwPenColor);
  static void FillEllipse(HDC hDC, const RECT& rc, DWORD dwColor);
  // A filled pie in rc: angles in degrees, 0 = three o'clock, counter-clockwise positive.
  static void DrawPie(HDC hDC, const RECT& rc, double startDegrees, double sweepDegrees, DWORD dwColor);

  // uStyle: DT_ flags (horizontal DT_LEFT/DT_CENTER/DT_RIGHT, vertical DT_TOP/DT_VCENTER/
  // DT_BOTTOM, DT_SINGLELINE, DT_WORDBREAK, DT_END_ELLIPSIS). With DT_CALCRECT nothing is drawn
  // and rc's right and bottom become the text's extent.
  static void DrawText(HDC hDC, CPaintManagerUI* pManager, RECT& rc, LPCTSTR pstrText, DWORD dwTextColor, int iFont,
                       UINT uStyle);
  static SIZE GetTextSize(CPaintManagerUI* pManager, LPCTSTR pstrText, int iFont, UINT uStyle, int maxWidth = 0);
  // Whether DrawText with DT_SINGLELINE | DT_END_ELLIPSIS shows the text whole in `width` pixels.
  static bool FitsOnOneLine(CPaintManagerUI* pManager, LPCTSTR pstrText, int iFont, int width);

  // Draws an image string (see TDrawInfo) into rcItem, clipped to rcPaint; false when the image
  // cannot be found or decoded.
  static bool DrawImageString(HDC hDC, CPaintManagerUI* pManager, const RECT& rcItem, const RECT& rcPaint,
                              LPCTSTR pStrImage, LPCTSTR pStrModify = nullptr);
  static bool DrawImageInfo(HDC hDC, CPaintManagerUI* pManager, const RECT& rcItem, const RECT& rcPaint,
                            const TDrawInfo& info);
  // The image's natural size; false when it cannot be loaded.
  static bool GetImageSize(CPaintManagerUI* pManager, LPCTSTR pStrImage, SIZE& size);
  // The file an image name resolves to: res.xml ids, then the skin folder, then the instance
  // folder; absolute paths (or names with a drive colon) as they are. Empty when not found.
  static CDuiString ResolveImagePath(LPCTSTR pStrName);
  // Drops decoded and rendered images (skin changed, DPI assets reset).
  static void ClearImageCache();
};
