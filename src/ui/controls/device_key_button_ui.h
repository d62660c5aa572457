#pragma once
#include "ui/toolkit/controls/button_ui.h"

// One key or light zone on a device picture. Over its state images it can show a light overlay
// ("lightimage") and a key-assignment mark ("keysetimage"); the zone chosen for editing shows its
// "selectedimage". A double click sends "dbclick".
class CDeviceKeyButtonUI : public CButtonUI {
 public:
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;

  void ShowLightImage(bool bShow);
  bool IsLightImageShown() const { return m_bShowLightImage; }
  void HideKeySetImage(bool bHide);
  bool IsKeySetImageHidden() const { return m_bHideKeySetImage; }
  void SetSelected(bool bSelected);
  bool IsSelected() const { return m_bSelected; }
  const CDuiString& GetLightImage() const { return m_sLightImage; }
  const CDuiString& GetKeySetImage() const { return m_sKeySetImage; }
  DWORD GetGmNameTextColor() const { return m_dwGmNameTextColor; }

  void DoEvent(TEventUI& event) override;
  void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
  void PaintStatusImage(HDC hDC) override;

 private:
  CDuiString m_sLightImage;
  CDuiString m_sKeySetImage;
  CDuiString m_sSelectedImage;
  DWORD m_dwGmNameTextColor = 0;
  bool m_bShowLightImage = false;
  bool m_bHideKeySetImage = true;
  bool m_bSelected = false;
};
