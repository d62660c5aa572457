#pragma once
#include "ui/toolkit/controls/list_container_element_ui.h"

// A macro-action row: two texts and a delay edit, built from
// "XML\CustomControlXML\ComboEditElementItem.xml" when the row joins a window. Pressing it
// selects it (Ctrl toggles it in the selection); releasing sends "itemclick"; Enter activates it
// and sends "return"; double clicks do nothing.
class CComboEditContainerElementUI : public CListContainerElementUI {
 public:
  static constexpr const char* kContentLayout = "XML\\CustomControlXML\\ComboEditElementItem.xml";

  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;

  CControlUI* GetText1() const { return m_pText1; }
  CControlUI* GetText2() const { return m_pText2; }
  CControlUI* GetDelayEdit() const { return m_pDelayEdit; }

  void DoInit() override;
  void DoEvent(TEventUI& event) override;

 private:
  void ToggleSelection();

  CControlUI* m_pText1 = nullptr;
  CControlUI* m_pText2 = nullptr;
  CControlUI* m_pDelayEdit = nullptr;
};
