#include "sim/sim_hid_backend.h"

#include <algorithm>

#include "sim/sim_plug.h"

CSimHidBackend::CSimHidBackend() : changes_(std::make_shared<SimChangeNotice>()) {}

CSimHidBackend::~CSimHidBackend() {
  std::vector<std::shared_ptr<CSimPlug>> plugs;
  {
    std::lock_guard guard(mutex_);
    plugs.swap(plugs_);
  }
  for (const std::shared_ptr<CSimPlug>& plug : plugs) plug->Unplug();
}

bool CSimHidBackend::Plug(const std::shared_ptr<CVirtualDevice>& device) {
  if (!device) return false;
  std::lock_guard guard(mutex_);
  PruneLocked();
  auto plug = std::make_shared<CSimPlug>(device, plugCounter_ + 1, changes_);
  if (!device->AttachPlug(plug)) return false;
  ++plugCounter_;
  plugs_.push_back(std::move(plug));
  changes_->Bump();
  return true;
}

bool CSimHidBackend::Replug(const std::shared_ptr<CVirtualDevice>& device) {
  if (!device) return false;
  device->Unplug();
  return Plug(device);
}

void CSimHidBackend::PruneLocked() {
  std::erase_if(plugs_, [](const std::shared_ptr<CSimPlug>& plug) { return !plug->IsPresent(); });
}

std::shared_ptr<CSimPlug> CSimHidBackend::FindPlugLocked(const CVirtualDevice& device) const {
  for (const std::shared_ptr<CSimPlug>& plug : plugs_) {
    if (plug->IsPresent() && &plug->Device() == &device) return plug;
  }
  return nullptr;
}

std::vector<std::string> CSimHidBackend::PathsOf(const CVirtualDevice& device) const {
  std::lock_guard guard(mutex_);
  std::vector<std::string> paths;
  if (std::shared_ptr<CSimPlug> plug = FindPlugLocked(device)) {
    for (const SimPluggedCollection& collection : plug->Collections()) paths.push_back(collection.path);
  }
  return paths;
}

std::string CSimHidBackend::PathWhere(const CVirtualDevice& device, bool commands) const {
  std::lock_guard guard(mutex_);
  std::shared_ptr<CSimPlug> plug = FindPlugLocked(device);
  if (!plug) return {};
  for (const SimPluggedCollection& collection : plug->Collections()) {
    const SimCollection& role = *collection.address.collection;
    if (commands ? role.commands : role.events) return collection.path;
  }
  return {};
}

std::string CSimHidBackend::CommandPathOf(const CVirtualDevice& device) const { return PathWhere(device, true); }

std::string CSimHidBackend::EventPathOf(const CVirtualDevice& device) const { return PathWhere(device, false); }

bool CSimHidBackend::EnumerateInterfaces(std::vector<std::string>& paths) {
  std::lock_guard guard(mutex_);
  PruneLocked();
  paths.clear();
  for (const std::shared_ptr<CSimPlug>& plug : plugs_) {
    for (const SimPluggedCollection& collection : plug->Collections()) paths.push_back(collection.path);
  }
  return true;
}

std::shared_ptr<IHidConnection> CSimHidBackend::Open(const std::string& path, const HidOpenMode& mode,
                                                     HidOpenError* error) {
  std::shared_ptr<CSimPlug> found;
  size_t index = 0;
  {
    std::lock_guard guard(mutex_);
    for (const std::shared_ptr<CSimPlug>& plug : plugs_) {
      if (!plug->IsPresent()) continue;
      const auto& collections = plug->Collections();
      auto match = std::find_if(collections.begin(), collections.end(),
                                [&](const SimPluggedCollection& collection) { return collection.path == path; });
      if (match != collections.end()) {
        found = plug;
        index = static_cast<size_t>(match - collections.begin());
        break;
      }
    }
  }
  std::shared_ptr<IHidConnection> connection = found ? found->Open(index, mode) : nullptr;
  if (error) *error = connection ? HidOpenError::None : HidOpenError::NotFound;
  return connection;
}

bool CSimHidBackend::IsPresent(const std::string& path) {
  std::lock_guard guard(mutex_);
  for (const std::shared_ptr<CSimPlug>& plug : plugs_) {
    if (!plug->IsPresent()) continue;
    for (const SimPluggedCollection& collection : plug->Collections()) {
      if (collection.path == path) return true;
    }
  }
  return false;
}

uint64_t CSimHidBackend::ChangeGeneration() { return changes_->generation; }
