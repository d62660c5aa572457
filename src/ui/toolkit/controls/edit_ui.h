#pragma once
#include <memory>

#include "ui/toolkit/controls/label_ui.h"

class CNativeTextEditor;

// A text field. While it has the focus a native text field is laid over it, so the user gets
// real text input; otherwise it draws its text (or its tip text when empty) itself.
//
// Notifications: "textchanged" on every edit by the user, "return" on Enter, and, when the
// focus leaves, first the min/max clamp (when a range is set: the text becomes the nearest
// number in range, or the minimum when it is not a number) and then "killfocus".
// Attributes: maxchar, numberonly, password, readonly, min, max, tipvalue, tipvaluecolor,
// nativebkcolor, normalimage, hotimage, focusedimage, disabledimage.
class CEditUI : public CLabelUI {
 public:
  CEditUI();
  ~CEditUI() override;
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;
  UINT GetControlFlags() const override;

  void SetText(LPCTSTR pstrText) override;  // any thread
  void SetEnabled(bool bEnable = true) override;
  void SetMaxChar(UINT uMax);
  UINT GetMaxChar() const { return m_uMaxChar; }
  void SetNumberOnly(bool bNumberOnly) { m_bNumberOnly = bNumberOnly; }
  bool IsNumberOnly() const { return m_bNumberOnly; }
  void SetPasswordMode(bool bPasswordMode);
  bool IsPasswordMode() const { return m_bPasswordMode; }
  void SetReadOnly(bool bReadOnly) { m_bReadOnly = bReadOnly; }
  bool IsReadOnly() const { return m_bReadOnly; }
  // The range the text is clamped to when the focus leaves; min > max removes it.
  void SetMinMaxNumber(int iMin, int iMax);
  bool HasMinMaxNumber() const { return m_iMinNumber <= m_iMaxNumber; }
  int GetMinNumber() const { return m_iMinNumber; }
  int GetMaxNumber() const { return m_iMaxNumber; }
  void SetTipValue(LPCTSTR pStrTipValue);
  const CDuiString& GetTipValue() const { return m_sTipValue; }
  void SetTipValueColor(DWORD dwColor) { m_dwTipValueColor = dwColor; }
  void SetNativeEditBkColor(DWORD dwBkColor) { m_dwEditBkColor = dwBkColor; }

  // Selection in characters; -1 means the end. Takes effect in the open field.
  void SetSel(long nStartChar, long nEndChar);
  void SetSelAll();
  // Puts the caret after the last character (now, or when the field opens).
  void SetCaretToEnd();

  void SetPos(RECT rc, bool bNeedInvalidate = true) override;
  void SetVisible(bool bVisible = true) override;
  void SetInternVisible(bool bVisible = true) override;
  void DoEvent(TEventUI& event) override;
  void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
  void PaintStatusImage(HDC hDC) override;
  void PaintText(HDC hDC) override;

  // True while the native field is open (the control has the focus).
  bool IsEditing() const { return m_editor != nullptr; }

 protected:
  virtual bool IsMultiLine() const { return false; }
  virtual bool WantsReturn() const { return false; }
  void OpenEditor();
  void CloseEditor();
  void ClampToRange();
  RECT EditorRect() const;

  std::unique_ptr<CNativeTextEditor> m_editor;
  UINT m_uMaxChar = 255;
  bool m_bNumberOnly = false;
  bool m_bPasswordMode = false;
  bool m_bReadOnly = false;
  int m_iMinNumber = 1;
  int m_iMaxNumber = 0;
  CDuiString m_sTipValue;
  DWORD m_dwTipValueColor = 0xFFBAC0C5;
  DWORD m_dwEditBkColor = 0;
  long m_iSelStart = -1;
  long m_iSelEnd = -1;
  UINT m_uButtonState = 0;
  CDuiString m_sNormalImage;
  CDuiString m_sHotImage;
  CDuiString m_sFocusedImage;
  CDuiString m_sDisabledImage;
};
