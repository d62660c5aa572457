#pragma once
#include <array>
#include <cstdint>

#include "ui/toolkit/controls/label_ui.h"

// Audio level bars: one one-pixel black bar every second pixel, each as high as its level
// (full scale 8192 fills the control) over the background colour.
class CAudioRecordUI : public CLabelUI {
 public:
  static constexpr int kLevelCount = 500;
  static constexpr int kFullScale = 8192;

  CAudioRecordUI();
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;

  // Any thread. Levels past kLevelCount are ignored; the rest keep their values.
  void SetLevels(const int32_t* levels, int count);
  void SetLevel(int index, int32_t level);
  int32_t GetLevel(int index) const;
  // The byte table the levels are translated with (0..255 as made).
  const std::array<uint8_t, 256>& GetByteTable() const { return m_byteTable; }

  void PaintBkColor(HDC hDC) override;
  void PaintStatusImage(HDC hDC) override;

 private:
  std::array<int32_t, kLevelCount> m_levels{};
  std::array<uint8_t, 256> m_byteTable{};
};
