#include "ui/toolkit/tray_icon.h"

#include <QIcon>
#include <QSystemTrayIcon>

#include "ui/toolkit/render_engine.h"
#include "ui/toolkit/resource_manager.h"
#include "ui/toolkit/window_api.h"

struct CTrayIcon::Impl {
  Host host = Host::kDesktop;
  bool standInCreated = false;
  bool standInShown = false;
  std::unique_ptr<QSystemTrayIcon> icon;
  HWND window = nullptr;
  UINT callbackMessage = UIMSG_TRAYICON;
  CDuiString tooltip;
};

namespace {

QIcon IconFor(UINT id) {
  CDuiString path = CRenderEngine::ResolveImagePath(CResourceManager::GetInstance()->GetIconPath(id));
  return path.IsEmpty() ? QIcon() : QIcon(QString::fromStdString(path.str()));
}

}  // namespace

CTrayIcon::CTrayIcon(Host host) : impl_(std::make_unique<Impl>()) { impl_->host = host; }

CTrayIcon::~CTrayIcon() { DeleteTrayIcon(); }

bool CTrayIcon::IsTrayAvailable() { return QSystemTrayIcon::isSystemTrayAvailable(); }

bool CTrayIcon::IsAvailable() const { return impl_->host == Host::kStandIn || IsTrayAvailable(); }

bool CTrayIcon::CreateTrayIcon(HWND hWnd, UINT uIconIDResource, LPCTSTR pstrToolTip, UINT uCallbackMessage) {
  DeleteTrayIcon();
  impl_->window = hWnd;
  impl_->callbackMessage = uCallbackMessage;
  impl_->tooltip = pstrToolTip;
  if (impl_->host == Host::kStandIn) {
    impl_->standInCreated = true;
    impl_->standInShown = true;
    return true;
  }
  if (!IsTrayAvailable()) return false;
  impl_->icon = std::make_unique<QSystemTrayIcon>(IconFor(uIconIDResource));
  impl_->icon->setToolTip(QString::fromStdString(impl_->tooltip.str()));
  QObject::connect(impl_->icon.get(), &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
      case QSystemTrayIcon::Trigger:
        NotifyActivated(WM_LBUTTONUP);
        break;
      case QSystemTrayIcon::Context:
        NotifyActivated(WM_RBUTTONUP);
        break;
      case QSystemTrayIcon::DoubleClick:
        NotifyActivated(WM_LBUTTONDBLCLK);
        break;
      case QSystemTrayIcon::MiddleClick:
        NotifyActivated(WM_MBUTTONUP);
        break;
      default:
        break;
    }
  });
  impl_->icon->show();
  return true;
}

void CTrayIcon::DeleteTrayIcon() {
  if (impl_->icon) {
    impl_->icon->hide();
    impl_->icon.reset();
  }
  impl_->standInCreated = false;
  impl_->standInShown = false;
  impl_->window = nullptr;
}

bool CTrayIcon::SetTooltipText(LPCTSTR pszTooltipText) {
  impl_->tooltip = pszTooltipText;
  if (impl_->standInCreated) return true;
  if (!impl_->icon) return false;
  impl_->icon->setToolTip(QString::fromStdString(impl_->tooltip.str()));
  return true;
}

CDuiString CTrayIcon::GetTooltipText() const { return impl_->tooltip; }

bool CTrayIcon::SetIcon(UINT uIconIDResource) {
  if (impl_->standInCreated) return true;
  if (!impl_->icon) return false;
  impl_->icon->setIcon(IconFor(uIconIDResource));
  return true;
}

void CTrayIcon::SetShowIcon() {
  if (impl_->icon) impl_->icon->show();
  impl_->standInShown = impl_->standInCreated;
}

void CTrayIcon::SetHideIcon() {
  if (impl_->icon) impl_->icon->hide();
  impl_->standInShown = false;
}

bool CTrayIcon::IsVisible() const { return (impl_->icon && impl_->icon->isVisible()) || impl_->standInShown; }

bool CTrayIcon::IsCreated() const { return impl_->icon != nullptr || impl_->standInCreated; }

bool CTrayIcon::NotifyActivated(UINT mouseMessage) const {
  if (!impl_->window) return false;
  return PostMessage(impl_->window, impl_->callbackMessage, 0, LPARAM(mouseMessage));
}
