#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/toolkit/window_impl_base.h"

// What a test window saw of one notification.
struct SeenNotify {
  std::string type;
  std::string sender;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// Records notifications by type and sender name.
class CRecordingNotifier : public INotifyUI {
 public:
  void Notify(TNotifyUI& msg) override;
  bool Saw(const std::string& type, const std::string& sender) const;
  int Count(const std::string& type, const std::string& sender) const;
  std::vector<SeenNotify> seen;
};

// A window built from a layout (a file, a res.xml id or inline XML) that records what reaches
// it; tests plug behaviour in through the std::function members.
class CTestWindow : public WindowImplBase {
 public:
  explicit CTestWindow(std::string layout);

  LPCTSTR GetWindowClassName() const override { return "TestWnd"; }
  CDuiString GetSkinFile() override { return CDuiString(layout_); }
  void Notify(TNotifyUI& msg) override;
  void OnFinalMessage(HWND hWnd) override;
  CControlUI* CreateControl(LPCTSTR pstrClass) override;
  LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
  LRESULT OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

  CPaintManagerUI& Manager() { return m_pm; }
  HWND CreateHidden(HWND owner = nullptr);
  bool Saw(const std::string& type, const std::string& sender) const;
  int Count(const std::string& type, const std::string& sender) const;

  std::vector<SeenNotify> notifications;
  std::vector<UINT> customMessages;
  std::function<void(TNotifyUI&)> onNotify;
  std::function<LRESULT(UINT, WPARAM, LPARAM, bool&)> onMessage;
  std::function<CControlUI*(const CDuiString&)> createControl;
  bool refuseSystemClose = false;
  bool deleteOnFinalMessage = false;
  int* finalMessageCounter = nullptr;

 private:
  std::string layout_;
};

// Mouse and key input as the window system would deliver it.
void ClickAt(HWND window, POINT point, WPARAM keyState = 0);
void Click(HWND window, CControlUI* control, WPARAM keyState = 0);
void DoubleClick(HWND window, CControlUI* control);
void MouseMove(HWND window, POINT point, WPARAM keyState = 0);
void KeyDown(HWND window, UINT vk);
POINT CentreOf(CControlUI* control);
