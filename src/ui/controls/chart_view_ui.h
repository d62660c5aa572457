#pragma once
#include <string>
#include <utility>
#include <vector>

#include "ui/toolkit/control_ui.h"

// A pie ("view" = "pie") or bar ("view" = "histpgram") chart of named values, in the order they
// were added (nothing in the program adds any yet, so in practice it draws its background).
// Bars are drawn with "pillarimage" ("pillarimagewidth" wide) over "shadowimage"
// ("shadowimageheight" high), or in the fore colour without an image. Labels show only with
// "showtext" = "true", in the font "font"; with "showhtml" their markup is dropped.
class CChartViewUI : public CControlUI {
 public:
  enum class View { kPie, kHistogram };

  void* GetInterface(LPCTSTR pstrName) override;

  bool Add(LPCTSTR name, double value);
  bool AddAt(LPCTSTR name, double value, int iIndex);
  bool Remove(int iIndex);
  void RemoveAll();
  int GetCount() const { return int(m_items.size()); }
  View GetView() const { return m_view; }

  void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
  void PaintStatusImage(HDC hDC) override;

 private:
  void PaintPie(HDC hDC);
  void PaintBars(HDC hDC);
  void PaintLabel(HDC hDC, RECT rc, const CDuiString& text, UINT align);

  std::vector<std::pair<CDuiString, double>> m_items;
  View m_view = View::kPie;
  CDuiString m_sShadowImage;
  int m_nShadowImageHeight = 0;
  CDuiString m_sPillarImage;
  int m_nPillarImageWidth = 0;
  bool m_bShowHtml = false;
  bool m_bShowText = false;
  int m_iFont = -1;
};
