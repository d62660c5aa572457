#include "devices/mousepad/page/pad_page_view.h"

#include "devices/mousepad/page/pad_page_controls.h"
#include "ui/controls/named_child.h"

void CPadPageView::Bind(CControlUI* page) {
  picture_ = FindNamedChild(page, pad_page::kPicture);
  modeLine_ = FindNamedChild(page, pad_page::kModeLine);
}

void CPadPageView::ShowMode(const std::string& modeNameKey) {
  if (!modeLine_) return;
  modeLine_->SetText(modeNameKey.empty() ? "light_mode_custom" : modeNameKey.c_str());
}

std::string CPadPageView::ShownMode() const { return modeLine_ ? modeLine_->GetTextKey().str() : std::string(); }
