#include "ui_test_environment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "platform/clock.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/resource_manager.h"
#include "ui/toolkit/ui_application.h"

namespace {

// Offscreen, so the tests run without a display even when started by hand.
const bool kOffscreen = [] {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  return true;
}();

class CUiEnvironment : public testing::Environment {
 public:
  void SetUp() override { app_ = std::make_unique<CUiApplication>(argc_, argv_); }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "t640_ui_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<CUiApplication> app_;
};

[[maybe_unused]] testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new CUiEnvironment);

}  // namespace

void PumpUiEvents() {
  for (int round = 0; round < 5; ++round) CUiApplication::ProcessPendingEvents();
}

bool PumpUntilImpl(bool (*check)(void*), void* context, int timeoutMs) {
  uint64_t deadline = GetTickCountMs() + uint64_t(timeoutMs);
  while (!check(context)) {
    if (GetTickCountMs() > deadline) return false;
    CUiApplication::ProcessPendingEvents();
    SleepMs(1);
  }
  return true;
}

std::string FixturePath(const std::string& name) { return std::string(T640_UI_FIXTURES) + name; }

void UseFixtureSkin() {
  CPaintManagerUI::SetResourcePath(T640_UI_FIXTURES);
  CResourceManager::GetInstance()->ResetResourceMap();
  CResourceManager::GetInstance()->LoadResource("res.xml");
}
