#pragma once
#include "ui/toolkit/controls/edit_ui.h"

// A multi-line text field with tip text. Enter sends "return" unless wantreturn="true", which
// makes it insert a line break. Attributes as for the edit, plus wantreturn.
class CRichEditUI : public CEditUI {
 public:
  CRichEditUI();
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;
  void SetWantReturn(bool bWantReturn) { m_bWantReturn = bWantReturn; }
  bool IsWantReturn() const { return m_bWantReturn; }
  void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;

 protected:
  bool IsMultiLine() const override { return true; }
  bool WantsReturn() const override { return m_bWantReturn; }

 private:
  bool m_bWantReturn = false;
};
