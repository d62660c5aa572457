#pragma once
#include "ui/toolkit/controls/list_container_element_ui.h"

class CLabelUI;
class COptionUI;

// One row of the update list: a check with the item's name, its current and offered versions,
// its update state as a text, a progress display and a done mark. The parts come from the row's
// layout and are found by name when the row is first changed. While the pointer is over an
// enabled row whose check is not selected, the row frames itself in the list's hot border colour.
class CUpdateInfoListItemUI : public CListContainerElementUI {
 public:
  // Update states: 0 nothing to update, 1 and 2 available, 3 waiting for download, 4 downloading,
  // 5 downloaded, 6 installing, 7 up to date, 8 failed. A new row has none of them.
  static constexpr int kNoState = -1;

  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;

  // The setters may be called from any thread (the list is filled by a worker); the getters
  // belong to the user-interface thread.
  void SetUpdateState(int state);
  int GetUpdateState() const { return m_nState; }
  void SetProgress(int percent);
  int GetProgress() const { return m_nProgress; }

  void SetItemName(LPCTSTR pstrName);
  CDuiString GetItemName();
  void SetOldVersion(LPCTSTR pstrVersion);
  CDuiString GetOldVersion();
  // Hidden while empty.
  void SetNewVersion(LPCTSTR pstrVersion);
  CDuiString GetNewVersion();
  void EnableCheck(bool bEnable);
  bool IsCheckEnabled();
  void SelectCheck(bool bSelected, bool bTrigger = true);
  bool IsCheckSelected();

  void PaintBorder(HDC hDC) override;

 private:
  struct Parts {
    COptionUI* check = nullptr;
    CControlUI* oldRev = nullptr;
    CControlUI* updateRev = nullptr;
    CControlUI* statusText = nullptr;
    CControlUI* statusIng = nullptr;
    CControlUI* progressValue = nullptr;
    CControlUI* statusOk = nullptr;
  };
  const Parts& FindParts();
  void ShowProgress(bool bShow);

  Parts m_parts;
  bool m_bPartsFound = false;
  int m_nState = kNoState;
  int m_nProgress = 0;
};
