#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Numeric ids for message names, valid inside this process only: programs on the desktop bus
// exchange the names, and each process maps them to its own ids, as the names of registered
// window messages are mapped elsewhere. Ids come from the registered-message range.
inline constexpr uint32_t kFirstRegisteredMessageId = 0xC000;
inline constexpr uint32_t kLastRegisteredMessageId = 0xFFFF;

// The same name always gives the same id. 0 when the name is not a valid message name or the
// range is used up. Safe from any thread.
uint32_t RegisterDesktopMessage(std::string_view name);

// The name registered under `id`; empty when none is.
std::string RegisteredMessageName(uint32_t id);
