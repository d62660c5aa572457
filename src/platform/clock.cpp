#include "platform/clock.h"

#include <chrono>
#include <thread>

#include "platform/event.h"

namespace {

class CSystemClock : public IClock {
 public:
  uint64_t NowMs() override {
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
  }
  void SleepMs(uint32_t milliseconds) override { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
  bool WaitMs(CEvent& event, uint32_t timeoutMs) override { return event.Wait(timeoutMs); }
};

}  // namespace

IClock& SystemClock() {
  static CSystemClock clock;
  return clock;
}

uint64_t GetTickCountMs() { return SystemClock().NowMs(); }

void SleepMs(uint32_t milliseconds) { SystemClock().SleepMs(milliseconds); }
