#include "ui/toolkit/window_registry.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <unordered_set>

#include "ui/toolkit/ui_thread.h"

namespace {

struct PendingSend {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  LRESULT result = 0;
  HWND target = nullptr;

  void Complete(LRESULT value) {
    {
      std::lock_guard guard(mutex);
      if (done) return;
      done = true;
      result = value;
    }
    finished.notify_all();
  }

  bool IsDone() {
    std::lock_guard guard(mutex);
    return done;
  }
};

struct Registry {
  std::mutex mutex;
  uintptr_t nextId = 1;
  std::unordered_map<uintptr_t, CWindowWnd*> windows;
  std::vector<HWND> order;
  std::vector<std::shared_ptr<PendingSend>> pending;
  // Windows on their way out: they take no more sent messages (their user-interface thread may
  // be about to wait for the very worker that would send).
  std::unordered_set<uintptr_t> closing;
};

Registry& Windows() {
  static Registry registry;
  return registry;
}

std::vector<std::shared_ptr<PendingSend>> TakePending(HWND target, bool all) {
  Registry& registry = Windows();
  std::lock_guard guard(registry.mutex);
  if (!all) registry.closing.insert(reinterpret_cast<uintptr_t>(target));
  std::vector<std::shared_ptr<PendingSend>> taken;
  for (auto& send : registry.pending) {
    if (all || send->target == target) taken.push_back(send);
  }
  return taken;
}

}  // namespace

HWND RegisterWindowHandle(CWindowWnd* window) {
  Registry& registry = Windows();
  std::lock_guard guard(registry.mutex);
  uintptr_t id = registry.nextId++;
  registry.windows[id] = window;
  HWND handle = reinterpret_cast<HWND>(id);
  registry.order.push_back(handle);
  return handle;
}

void UnregisterWindowHandle(HWND hWnd) {
  Registry& registry = Windows();
  std::lock_guard guard(registry.mutex);
  registry.windows.erase(reinterpret_cast<uintptr_t>(hWnd));
  registry.closing.erase(reinterpret_cast<uintptr_t>(hWnd));
  registry.order.erase(std::remove(registry.order.begin(), registry.order.end(), hWnd), registry.order.end());
}

CWindowWnd* LookupWindow(HWND hWnd) {
  Registry& registry = Windows();
  std::lock_guard guard(registry.mutex);
  auto it = registry.windows.find(reinterpret_cast<uintptr_t>(hWnd));
  return it == registry.windows.end() ? nullptr : it->second;
}

bool IsWindowHandleAlive(HWND hWnd) { return hWnd != nullptr && LookupWindow(hWnd) != nullptr; }

std::vector<HWND> AllWindowHandles() {
  Registry& registry = Windows();
  std::lock_guard guard(registry.mutex);
  return registry.order;
}

LRESULT SendMessageAcrossThreads(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  auto send = std::make_shared<PendingSend>();
  send->target = hWnd;
  {
    // Checked and registered in one step, so a window that starts closing meanwhile either
    // refuses the message here or answers it when it cancels the pending sends.
    Registry& registry = Windows();
    std::lock_guard guard(registry.mutex);
    uintptr_t id = reinterpret_cast<uintptr_t>(hWnd);
    if (!registry.windows.count(id) || registry.closing.count(id)) return 0;
    registry.pending.push_back(send);
  }
  bool posted = PostUiTask([send, hWnd, uMsg, wParam, lParam] {
    // A window destroyed after the request was queued has already answered it with 0.
    if (send->IsDone()) return;
    send->Complete(DeliverWindowMessage(hWnd, uMsg, wParam, lParam));
  });
  if (!posted) send->Complete(0);
  {
    std::unique_lock lock(send->mutex);
    send->finished.wait(lock, [&] { return send->done; });
  }
  Registry& registry = Windows();
  std::lock_guard guard(registry.mutex);
  registry.pending.erase(std::remove(registry.pending.begin(), registry.pending.end(), send), registry.pending.end());
  return send->result;
}

void CancelPendingSends(HWND hWnd) {
  for (auto& send : TakePending(hWnd, false)) send->Complete(0);
}

void CancelAllPendingSends() {
  for (auto& send : TakePending(nullptr, true)) send->Complete(0);
}
