#include "ui/toolkit/ui_thread.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <algorithm>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace {

struct TaskQueue {
  std::mutex mutex;
  std::deque<std::function<void()>> tasks;
  int wakeFd = -1;
  bool accepting = false;
  // std::thread ids, not QThread: asking Qt about a worker thread would make Qt adopt it.
  std::thread::id uiThread;
  bool hasUiThread = false;
  QSocketNotifier* notifier = nullptr;
};

TaskQueue& Queue() {
  static TaskQueue queue;
  return queue;
}

struct QuitState {
  bool requested = false;
  int exitCode = 0;
};

QuitState& Quit() {
  static QuitState state;
  return state;
}

std::vector<QEventLoop*>& LoopStack() {
  static std::vector<QEventLoop*> loops;
  return loops;
}

void ConsumeWakeUps() {
  uint64_t count = 0;
  ssize_t ignored = read(Queue().wakeFd, &count, sizeof count);
  (void)ignored;
}

}  // namespace

void StartUiThread() {
  TaskQueue& queue = Queue();
  std::lock_guard guard(queue.mutex);
  if (queue.accepting) return;
  queue.wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  queue.uiThread = std::this_thread::get_id();
  queue.hasUiThread = true;
  queue.notifier = new QSocketNotifier(queue.wakeFd, QSocketNotifier::Read);
  QObject::connect(queue.notifier, &QSocketNotifier::activated, [] { DrainUiTasks(); });
  queue.accepting = true;
  Quit() = QuitState{};
}

void StopUiThread() {
  TaskQueue& queue = Queue();
  std::deque<std::function<void()>> dropped;
  {
    std::lock_guard guard(queue.mutex);
    if (!queue.accepting) return;
    queue.accepting = false;
    dropped.swap(queue.tasks);
    delete queue.notifier;
    queue.notifier = nullptr;
    close(queue.wakeFd);
    queue.wakeFd = -1;
    queue.hasUiThread = false;
  }
  // Destroyed outside the lock: a task's captures may post or free things of their own.
  dropped.clear();
}

bool IsOnUiThread() {
  TaskQueue& queue = Queue();
  std::lock_guard guard(queue.mutex);
  return queue.hasUiThread && queue.uiThread == std::this_thread::get_id();
}

bool IsUiThreadRunning() {
  TaskQueue& queue = Queue();
  std::lock_guard guard(queue.mutex);
  return queue.accepting;
}

bool PostUiTask(std::function<void()> task) {
  TaskQueue& queue = Queue();
  std::lock_guard guard(queue.mutex);
  if (!queue.accepting) return false;
  queue.tasks.push_back(std::move(task));
  uint64_t one = 1;
  ssize_t ignored = write(queue.wakeFd, &one, sizeof one);
  (void)ignored;
  return true;
}

void DrainUiTasks() {
  TaskQueue& queue = Queue();
  size_t budget;
  {
    std::lock_guard guard(queue.mutex);
    if (!queue.accepting) return;
    ConsumeWakeUps();
    budget = queue.tasks.size();
  }
  // Only the tasks present now: a task that posts again (a repeating refresh) waits for the next
  // wake-up instead of starving the rest of the event loop. A task may open a nested loop that
  // drains the queue itself; taking one task at a time keeps that correct.
  while (budget-- > 0) {
    std::function<void()> task;
    {
      std::lock_guard guard(queue.mutex);
      if (queue.tasks.empty()) return;
      task = std::move(queue.tasks.front());
      queue.tasks.pop_front();
    }
    task();
  }
}

struct CUiLoop::Impl {
  QEventLoop loop;
  bool exitRequested = false;
};

CUiLoop::CUiLoop() : impl_(new Impl) {}

CUiLoop::~CUiLoop() { delete impl_; }

void CUiLoop::Run() {
  if (impl_->exitRequested || Quit().requested) return;
  auto& loops = LoopStack();
  loops.push_back(&impl_->loop);
  impl_->loop.exec();
  loops.erase(std::remove(loops.begin(), loops.end(), &impl_->loop), loops.end());
}

void CUiLoop::Exit() {
  impl_->exitRequested = true;
  impl_->loop.exit(0);
}

void RequestQuit(int exitCode) {
  Quit().requested = true;
  Quit().exitCode = exitCode;
  for (QEventLoop* loop : LoopStack()) loop->exit(0);
}

bool IsQuitRequested() { return Quit().requested; }

int QuitExitCode() { return Quit().exitCode; }

void ClearQuitRequest() { Quit().requested = false; }
