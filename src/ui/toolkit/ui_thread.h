#pragma once
#include <functional>

// The user-interface thread's task queue and loop nesting (internal to the toolkit).
//
// Work from any thread reaches the user-interface thread through one FIFO queue guarded by a
// std::mutex and woken through an eventfd. Qt's own cross-thread posting is not used: its
// synchronisation is invisible to ThreadSanitizer, and a queue of our own keeps posted window
// messages, control changes and deferred work in one order.

// Called on the thread that owns the QApplication, after it exists / before it goes.
void StartUiThread();
void StopUiThread();

bool IsOnUiThread();
bool IsUiThreadRunning();
// Queues the task; false when there is no user-interface thread.
bool PostUiTask(std::function<void()> task);
// Runs the queued tasks now (tests, and the loop's own wake-up).
void DrainUiTasks();

// A nested run of the event loop (message loop, modal loop, combo drop-down). Loops are kept on
// a stack so a quit request ends all of them, innermost first.
class CUiLoop {
 public:
  CUiLoop();
  ~CUiLoop();
  CUiLoop(const CUiLoop&) = delete;
  CUiLoop& operator=(const CUiLoop&) = delete;

  // Returns when Exit is called or a quit is requested (at once if one is pending).
  void Run();
  void Exit();

 private:
  struct Impl;
  Impl* impl_;
};

// PostQuitMessage: ends every running loop; the outermost one (MessageLoop) clears the request
// when it returns, so the request also ends a MessageLoop entered later.
void RequestQuit(int exitCode);
bool IsQuitRequested();
int QuitExitCode();
void ClearQuitRequest();
