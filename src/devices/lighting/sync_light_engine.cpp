#include "devices/lighting/sync_light_engine.h"

#include "platform/debug_output.h"

namespace {

// Search for a device that keeps the engine running: mice, keyboards, mouse pads, headsets.
constexpr std::array<CSyncLightEngine::Kind, 4> kSearchOrder = {
    CSyncLightEngine::Kind::kMouse, CSyncLightEngine::Kind::kKeyboard, CSyncLightEngine::Kind::kMousePad,
    CSyncLightEngine::Kind::kHeadset};
// Hand-out: mice, mouse pads, headsets, keyboards.
constexpr std::array<CSyncLightEngine::Kind, 4> kHandOutOrder = {
    CSyncLightEngine::Kind::kMouse, CSyncLightEngine::Kind::kMousePad, CSyncLightEngine::Kind::kHeadset,
    CSyncLightEngine::Kind::kKeyboard};

}  // namespace

CSyncLightEngine::CSyncLightEngine(IClock& clock) : clock_(clock) {}

CSyncLightEngine::~CSyncLightEngine() { Stop(); }

void CSyncLightEngine::AddParticipant(Kind kind, ISyncLightParticipant* device) {
  if (!device) return;
  std::lock_guard<std::mutex> guard(listsMutex_);
  lists_[static_cast<size_t>(kind)].push_back(device);
}

void CSyncLightEngine::Start() {
  if (thread_.joinable()) return;
  stopping_.store(false);
  wake_.Reset();
  thread_ = std::thread([this] { Run(); });
}

void CSyncLightEngine::Stop() {
  if (!thread_.joinable()) return;
  stopping_.store(true);
  wake_.Set();
  thread_.join();
}

void CSyncLightEngine::SetEffectSettings(const SyncLightSettings& settings) {
  effect_.store(settings.effect);
  brightnessLevel_.store(settings.brightnessLevel);
  speedLevel_.store(settings.speedLevel);
  direction_.store(settings.direction);
  colourful_.store(settings.colourful);
  red_.store(settings.colour.r);
  green_.store(settings.colour.g);
  blue_.store(settings.colour.b);
  // A faster speed takes effect now rather than after the slow step already waited for.
  wake_.Set();
}

SyncLightSettings CSyncLightEngine::EffectSettings() const {
  return {effect_.load(), brightnessLevel_.load(), speedLevel_.load(), direction_.load(), colourful_.load(),
          Rgb{red_.load(), green_.load(), blue_.load()}};
}

uint32_t CSyncLightEngine::StepPeriodMs() const { return SyncLightTicksPerStep(speedLevel_.load()) * kLightTickMs; }

bool CSyncLightEngine::AnyoneTakingPart() {
  std::lock_guard<std::mutex> guard(listsMutex_);
  for (Kind kind : kSearchOrder) {
    for (ISyncLightParticipant* device : lists_[static_cast<size_t>(kind)]) {
      if (device->IsSyncChannelOpen() && device->IsSyncSameMode()) return true;
    }
  }
  return false;
}

void CSyncLightEngine::HandOut(uint32_t word) {
  std::lock_guard<std::mutex> guard(listsMutex_);
  for (Kind kind : kHandOutOrder) {
    for (ISyncLightParticipant* device : lists_[static_cast<size_t>(kind)]) {
      // A disconnected device keeps the shared colour too, so it shows it again when it returns.
      if (!device->IsSyncSameMode()) continue;
      const size_t count = device->SyncLightEntryCount();
      for (size_t i = 0; i < count; ++i) device->SetSyncLightEntry(i, word);
    }
  }
}

// A step is due one step period after the last one (a change of speed counts from there too);
// between steps the thread sleeps until one is due or it is woken. A step that comes later than a
// whole period (the machine was busy) counts the periods it missed as lost and keeps the pace from
// its own due time, rather than running the missed steps at once.
void CSyncLightEngine::Run() {
  uint64_t lastStepMs = 0;
  while (!stopping_.load()) {
    if (EffectSettings().effect > static_cast<uint8_t>(SyncLightEffect::kOff) || !AnyoneTakingPart()) {
      active_.store(false);
      clock_.WaitMs(wake_, kInfiniteWait);
      continue;
    }
    const uint64_t now = clock_.NowMs();
    if (!active_.load()) {
      active_.store(true);
      lastStepMs = now;  // the first step comes one period from now
    }
    const uint32_t period = StepPeriodMs();
    const uint64_t dueMs = lastStepMs + period;
    if (now < dueMs) {
      clock_.WaitMs(wake_, static_cast<uint32_t>(dueMs - now));
      continue;
    }
    if (const std::optional<uint32_t> word = RunSyncLightStep(EffectSettings(), state_, static_cast<uint32_t>(now))) {
      HandOut(*word);
    }
    steps_.fetch_add(1);
    const uint64_t late = (now - dueMs) / period;
    lostSteps_.fetch_add(late);
    lastStepMs = dueMs + late * period;
  }
  active_.store(false);
  OutputDebugString("同步灯光线程设定退出");
}
