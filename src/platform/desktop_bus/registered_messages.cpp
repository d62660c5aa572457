#include "platform/desktop_bus/registered_messages.h"

#include <map>
#include <mutex>
#include <vector>

#include "platform/desktop_bus/desktop_message.h"

namespace {

struct Registry {
  std::mutex lock;
  std::map<std::string, uint32_t, std::less<>> idsByName;
  std::vector<std::string> namesById;  // index = id - kFirstRegisteredMessageId
};

// Process-wide by nature: every component that registers a name must see the same id for it.
Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

}  // namespace

uint32_t RegisterDesktopMessage(std::string_view name) {
  if (!IsValidMessageName(name)) return 0;
  Registry& registry = TheRegistry();
  std::lock_guard guard(registry.lock);
  if (auto found = registry.idsByName.find(name); found != registry.idsByName.end()) return found->second;
  const uint32_t id = kFirstRegisteredMessageId + uint32_t(registry.namesById.size());
  if (id > kLastRegisteredMessageId) return 0;
  registry.namesById.emplace_back(name);
  registry.idsByName.emplace(std::string(name), id);
  return id;
}

std::string RegisteredMessageName(uint32_t id) {
  Registry& registry = TheRegistry();
  std::lock_guard guard(registry.lock);
  if (id < kFirstRegisteredMessageId || id - kFirstRegisteredMessageId >= registry.namesById.size()) return {};
  return registry.namesById[id - kFirstRegisteredMessageId];
}
