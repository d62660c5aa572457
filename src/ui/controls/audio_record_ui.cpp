#include "ui/controls/audio_record_ui.h"

#include <vector>

#include "ui/toolkit/render_engine.h"

namespace {

constexpr DWORD kBarColor = 0xFF000000;

}  // namespace

CAudioRecordUI::CAudioRecordUI() {
  for (size_t i = 0; i < m_byteTable.size(); ++i) m_byteTable[i] = uint8_t(i);
}

LPCTSTR CAudioRecordUI::GetClass() const { return "AudioRecord"; }

void* CAudioRecordUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("AudioRecord") == 0) return static_cast<CAudioRecordUI*>(this);
  return CLabelUI::GetInterface(pstrName);
}

void CAudioRecordUI::SetLevels(const int32_t* levels, int count) {
  if (!levels || count <= 0) return;
  if (count > kLevelCount) count = kLevelCount;
  if (IsMarshalNeeded()) {
    std::vector<int32_t> copy(levels, levels + count);
    PostToUiThread([this, copy] { SetLevels(copy.data(), int(copy.size())); });
    return;
  }
  for (int i = 0; i < count; ++i) m_levels[size_t(i)] = levels[i];
  Invalidate();
}

void CAudioRecordUI::SetLevel(int index, int32_t level) {
  if (index < 0 || index >= kLevelCount) return;
  if (PostToUiThread([this, index, level] { SetLevel(index, level); })) return;
  m_levels[size_t(index)] = level;
  Invalidate();
}

int32_t CAudioRecordUI::GetLevel(int index) const {
  return (index >= 0 && index < kLevelCount) ? m_levels[size_t(index)] : 0;
}

void CAudioRecordUI::PaintBkColor(HDC hDC) { CRenderEngine::DrawColor(hDC, m_rcItem, m_dwBackColor); }

void CAudioRecordUI::PaintStatusImage(HDC hDC) {
  const int width = GetWidth();
  const int64_t height = GetHeight();
  for (int i = 0; i < kLevelCount && 2 * i < width; ++i) {
    int64_t top = m_rcItem.top + (height - int64_t(m_levels[size_t(i)]) * height / kFullScale);
    // A level above full scale stops at the top; a negative one draws nothing.
    if (top < m_rcItem.top) top = m_rcItem.top;
    const int x = m_rcItem.left + 2 * i;
    CRenderEngine::DrawColor(hDC, RECT{x, int(top), x + 1, m_rcItem.bottom}, kBarColor);
  }
}
