#include "controls_harness.h"

#include "test_window.h"
#include "ui/controls/register_program_controls.h"
#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/qt_paint.h"
#include "ui/toolkit/render_engine.h"
#include "ui/toolkit/resource_manager.h"
#include "ui/toolkit/window_api.h"

std::string SkinFolder() { return std::string(T640_SOURCE_DIR) + "skin/"; }
std::string ShippedDataFolder() { return std::string(T640_SOURCE_DIR) + "DefaultData/"; }

void UseShippedSkin(const std::string& language) {
  CPaintManagerUI::SetResourcePath(SkinFolder().c_str());
  CResourceManager* resources = CResourceManager::GetInstance();
  resources->ResetResourceMap();
  resources->LoadResource("res.xml");
  resources->LoadLanguage((ShippedDataFolder() + language).c_str());
  CRenderEngine::ClearImageCache();
  RegisterProgramControls();
}

CControlUI* BuildInto(CPaintManagerUI& manager, const std::string& layout) {
  CDialogBuilder builder;
  CControlUI* root = builder.Create(layout.c_str(), nullptr, nullptr, &manager);
  if (root) manager.AttachDialog(root);
  return root;
}

QImage Render(CPaintManagerUI& manager, SIZE size) {
  manager.SetInitSize(size.cx, size.cy);
  return RenderToImage(manager, manager.GetClientSize());
}

bool NearColor(QRgb actual, QRgb expected, int tolerance) {
  return std::abs(qRed(actual) - qRed(expected)) <= tolerance &&
         std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
         std::abs(qBlue(actual) - qBlue(expected)) <= tolerance &&
         std::abs(qAlpha(actual) - qAlpha(expected)) <= tolerance;
}

void MouseDown(HWND window, POINT point, WPARAM keyState) {
  SendMessage(window, WM_LBUTTONDOWN, keyState | MK_LBUTTON, MAKELPARAM(point.x, point.y));
}

void MouseUp(HWND window, POINT point, WPARAM keyState) {
  SendMessage(window, WM_LBUTTONUP, keyState, MAKELPARAM(point.x, point.y));
}

void DragFromTo(HWND window, POINT from, POINT to) {
  MouseMove(window, from);
  MouseDown(window, from);
  MouseMove(window, to, MK_LBUTTON);
  MouseUp(window, to);
}
