#include "ui/controls/update_info_list_item_ui.h"

#include <iterator>

#include "ui/controls/named_child.h"
#include "ui/controls/text_key.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/controls/progress_ui.h"
#include "ui/toolkit/render_engine.h"

namespace {

struct StateLook {
  const char* textKey;
  bool progressShown;
  bool doneShown;
  bool checkEnabled;
  DWORD textColor;
  DWORD disabledTextColor;
};

constexpr DWORD kPlainText = 0xFFFFFFFF;
constexpr DWORD kPlainDisabledText = 0xFF666666;
constexpr DWORD kActiveText = 0xFF0099FF;
constexpr DWORD kActiveDisabledText = 0xFF0078C8;

// Indexed by update state.
constexpr StateLook kStateLooks[] = {
    {TextKey("LessUpdateText"), false, false, false, kPlainText, kPlainDisabledText},
    {TextKey("NeedUpdateText"), false, false, true, kActiveText, kActiveDisabledText},
    {TextKey("NeedUpdateText"), false, false, true, kActiveText, kActiveDisabledText},
    {TextKey("DownloadWaitText"), false, false, false, kActiveText, kActiveDisabledText},
    {TextKey("DownloadIngText"), true, false, false, kActiveText, kActiveDisabledText},
    {TextKey("DownloadOkText"), false, true, false, kActiveText, kActiveDisabledText},
    {TextKey("UpdateIngText"), true, false, false, kActiveText, kActiveDisabledText},
    {TextKey("UpdateOkText"), false, false, false, kPlainText, kPlainDisabledText},
    {TextKey("UpdateFailText"), false, false, true, kActiveText, kActiveDisabledText},
};

}  // namespace

LPCTSTR CUpdateInfoListItemUI::GetClass() const { return "UpdateInfoListItemUI"; }

void* CUpdateInfoListItemUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("UpdateInfoListItemUI") == 0) return static_cast<CUpdateInfoListItemUI*>(this);
  return CListContainerElementUI::GetInterface(pstrName);
}

const CUpdateInfoListItemUI::Parts& CUpdateInfoListItemUI::FindParts() {
  if (m_bPartsFound) return m_parts;
  CControlUI* check = FindNamedChild(this, "check_name_select");
  m_parts.check = check ? static_cast<COptionUI*>(check->GetInterface("Option")) : nullptr;
  m_parts.oldRev = FindNamedChild(this, "OldRev");
  m_parts.updateRev = FindNamedChild(this, "updateRev");
  m_parts.statusText = FindNamedChild(this, "update_status_text");
  m_parts.statusIng = FindNamedChild(this, "update_status_ing");
  m_parts.progressValue = FindNamedChild(this, "update_progress_value");
  m_parts.statusOk = FindNamedChild(this, "update_status_ok");
  // A row is built whole from its layout before it is first changed; parts found once stay.
  m_bPartsFound = m_parts.check || m_parts.oldRev || m_parts.statusText;
  return m_parts;
}

void CUpdateInfoListItemUI::ShowProgress(bool bShow) {
  const Parts& parts = FindParts();
  if (parts.statusIng) parts.statusIng->SetVisible(bShow);
  if (parts.progressValue) parts.progressValue->SetVisible(bShow);
  SetProgress(0);
}

void CUpdateInfoListItemUI::SetUpdateState(int state) {
  if (PostToUiThread([this, state] { SetUpdateState(state); })) return;
  if (state == m_nState || state < 0 || state >= int(std::size(kStateLooks))) return;
  m_nState = state;
  const StateLook& look = kStateLooks[state];
  const Parts& parts = FindParts();
  if (parts.statusText) parts.statusText->SetText(look.textKey);
  ShowProgress(look.progressShown);
  if (parts.statusOk) parts.statusOk->SetVisible(look.doneShown);
  if (parts.check) {
    parts.check->SetEnabled(look.checkEnabled);
    parts.check->SetTextColor(look.textColor);
    parts.check->SetSelectedTextColor(look.textColor);
    parts.check->SetDisabledTextColor(look.disabledTextColor);
  }
  Invalidate();
}

void CUpdateInfoListItemUI::SetProgress(int percent) {
  if (PostToUiThread([this, percent] { SetProgress(percent); })) return;
  m_nProgress = percent;
  const Parts& parts = FindParts();
  if (parts.progressValue) {
    CDuiString text;
    text.Format("%d%s", percent, "%");
    parts.progressValue->SetText(text);
  }
  // A bar (or ring) as the progress display follows the percentage too.
  if (parts.statusIng) {
    if (auto* progress = static_cast<CProgressUI*>(parts.statusIng->GetInterface("Progress"))) {
      progress->SetValue(percent);
    }
  }
}

void CUpdateInfoListItemUI::SetItemName(LPCTSTR pstrName) {
  CDuiString name(pstrName);
  if (PostToUiThread([this, name] { SetItemName(name); })) return;
  if (COptionUI* check = FindParts().check) check->SetText(pstrName);
}

CDuiString CUpdateInfoListItemUI::GetItemName() {
  COptionUI* check = FindParts().check;
  return check ? check->GetText() : CDuiString();
}

void CUpdateInfoListItemUI::SetOldVersion(LPCTSTR pstrVersion) {
  CDuiString version(pstrVersion);
  if (PostToUiThread([this, version] { SetOldVersion(version); })) return;
  if (CControlUI* oldRev = FindParts().oldRev) oldRev->SetText(pstrVersion);
}

CDuiString CUpdateInfoListItemUI::GetOldVersion() {
  CControlUI* oldRev = FindParts().oldRev;
  return oldRev ? oldRev->GetText() : CDuiString();
}

void CUpdateInfoListItemUI::SetNewVersion(LPCTSTR pstrVersion) {
  CDuiString version(pstrVersion);
  if (PostToUiThread([this, version] { SetNewVersion(version); })) return;
  CControlUI* updateRev = FindParts().updateRev;
  if (!updateRev) return;
  updateRev->SetText(version);
  updateRev->SetVisible(!version.IsEmpty());
}

CDuiString CUpdateInfoListItemUI::GetNewVersion() {
  CControlUI* updateRev = FindParts().updateRev;
  return updateRev ? updateRev->GetText() : CDuiString();
}

void CUpdateInfoListItemUI::EnableCheck(bool bEnable) {
  if (PostToUiThread([this, bEnable] { EnableCheck(bEnable); })) return;
  if (COptionUI* check = FindParts().check) check->SetEnabled(bEnable);
}

bool CUpdateInfoListItemUI::IsCheckEnabled() {
  COptionUI* check = FindParts().check;
  return check && check->IsEnabled();
}

void CUpdateInfoListItemUI::SelectCheck(bool bSelected, bool bTrigger) {
  if (PostToUiThread([this, bSelected, bTrigger] { SelectCheck(bSelected, bTrigger); })) return;
  if (COptionUI* check = FindParts().check) check->Selected(bSelected, bTrigger);
}

bool CUpdateInfoListItemUI::IsCheckSelected() {
  COptionUI* check = FindParts().check;
  return check && check->IsSelected();
}

void CUpdateInfoListItemUI::PaintBorder(HDC hDC) {
  CListContainerElementUI::PaintBorder(hDC);
  if (!IsHot() || !IsEnabled() || !m_pOwner) return;
  if (COptionUI* check = FindParts().check; check && check->IsSelected()) return;
  DWORD color = m_pOwner->GetListInfo()->dwHotBorderColor;
  if (color != 0) CRenderEngine::DrawRect(hDC, m_rcItem, 1, color);
}
