#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "platform/desktop_bus/bus_socket.h"
#include "platform/desktop_bus/desktop_bus_endpoint.h"

class CSimHidBackend;
class CVirtualMouse;

// How a firmware updater reaches a virtual mouse. A real updater writes the new firmware over
// USB and the mouse starts again with a new release number; the virtual mouse lives inside the
// program that simulates it, so the stand-in updater asks it over the desktop bus instead: it
// sends kSimFlashMessage, wParam the new release number, to the window kSimFlashWindowClass.
inline constexpr const char* kSimFlashWindowClass = "T640VirtualMouse";
inline constexpr const char* kSimFlashWindowTitle = "virtual mouse";
inline constexpr const char* kSimFlashMessage = "T640 virtual mouse firmware";
// What the message's handler returns.
inline constexpr int64_t kSimFlashDone = 1;
inline constexpr int64_t kSimFlashRefused = 0;

// The virtual mouse's end: on the message the mouse takes the new release number and, when its
// cable is plugged in, goes out and comes back in with it, as a mouse does after an update. The
// messages are handled on a thread of the listener's own.
class CSimFirmwareFlashListener {
 public:
  CSimFirmwareFlashListener(std::weak_ptr<CVirtualMouse> mouse, CSimHidBackend& backend);
  ~CSimFirmwareFlashListener();
  CSimFirmwareFlashListener(const CSimFirmwareFlashListener&) = delete;
  CSimFirmwareFlashListener& operator=(const CSimFirmwareFlashListener&) = delete;

  // Joins the bus in `busFolder`; false with the reason in `error`.
  bool Start(const std::string& busFolder, std::string& error);
  void Stop();

  // The handler itself (the thread calls it): kSimFlashDone when the mouse took `version`.
  int64_t Flash(int64_t version);

 private:
  std::weak_ptr<CVirtualMouse> mouse_;
  CSimHidBackend& backend_;
  std::unique_ptr<CDesktopBusEndpoint> endpoint_;
  CUniqueFd stop_;
  std::thread thread_;
};
