#pragma once
#include <string>

#include "ui/toolkit/ui_types.h"

// Shared helpers of the toolkit tests (the Qt application itself is set up once per test
// program by ui_test_environment.cpp).

// Runs what is queued for the user-interface thread until nothing is left.
void PumpUiEvents();
// Pumps until the condition holds or the time-out passes; returns the condition.
template <typename Condition>
bool PumpUntil(Condition condition, int timeoutMs = 2000);

std::string FixturePath(const std::string& name);
// Points the toolkit's resource path at the test fixtures and loads their res.xml.
void UseFixtureSkin();

bool PumpUntilImpl(bool (*check)(void*), void* context, int timeoutMs);

template <typename Condition>
bool PumpUntil(Condition condition, int timeoutMs) {
  return PumpUntilImpl([](void* c) { return (*static_cast<Condition*>(c))(); }, &condition, timeoutMs);
}
