#include "sim/simulation_list.h"

#include <vector>

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    size_t end = text.find(separator);
    parts.push_back(text.substr(0, end));
    if (end == std::string_view::npos) return parts;
    text.remove_prefix(end + 1);
  }
}

std::optional<unsigned> ParseNumber(std::string_view text, unsigned maxValue) {
  unsigned base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty() || text.size() > 8) return std::nullopt;
  unsigned value = 0;
  for (char c : text) {
    unsigned digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else {
      return std::nullopt;
    }
    value = value * base + digit;
  }
  if (value > maxValue) return std::nullopt;
  return value;
}

enum class DeviceItem { Mouse, MouseReceiver, MousePad, Headset };

constexpr unsigned kMaxFrameNumber = 1'000'000;

// A fault parameter: true when `name` is one (then `problem` says what is wrong, empty if nothing).
bool FaultParameter(std::string_view name, std::optional<std::string_view> value, SimFaultOptions& faults,
                    std::string& problem) {
  struct Numbered {
    std::string_view name;
    std::optional<uint32_t> SimFaultOptions::*frame;
  };
  static constexpr Numbered kNumbered[] = {
      {"late-reply", &SimFaultOptions::lateReply},
      {"drop-reply", &SimFaultOptions::dropReply},
      {"wrong-echo", &SimFaultOptions::wrongEcho},
      {"unplug-after", &SimFaultOptions::unplugAfter},
  };
  const std::string quoted = "\"" + std::string(name) + "\"";
  for (const Numbered& fault : kNumbered) {
    if (name != fault.name) continue;
    const std::optional<unsigned> frame = value ? ParseNumber(*value, kMaxFrameNumber) : std::nullopt;
    if (!frame || (*frame == 0 && fault.name != "unplug-after")) {
      problem = "parameter " + quoted + " needs a frame number from 1";
      return true;
    }
    faults.*fault.frame = *frame;
    return true;
  }
  if (name != "status") return false;
  // status=ff@N or status=fe@N
  const size_t at = value ? value->find('@') : std::string_view::npos;
  const std::string_view code = at == std::string_view::npos ? std::string_view() : value->substr(0, at);
  const std::optional<unsigned> frame =
      at == std::string_view::npos ? std::nullopt : ParseNumber(value->substr(at + 1), kMaxFrameNumber);
  if ((code != "ff" && code != "fe") || !frame || *frame == 0) {
    problem = "parameter \"status\" takes ff@N or fe@N";
    return true;
  }
  faults.status = code == "ff" ? 0xFF : 0xFE;
  faults.statusFrame = *frame;
  return true;
}

struct ItemParser {
  SimulationList& list;
  DeviceItem item;

  // An empty result means the parameter was taken.
  std::string Apply(std::string_view name, std::optional<std::string_view> value) {
    const bool mouseLike = item == DeviceItem::Mouse || item == DeviceItem::MouseReceiver;
    auto flag = [&](bool* target, bool setting) -> std::string {
      if (value) return "parameter \"" + std::string(name) + "\" takes no value";
      *target = setting;
      return {};
    };
    auto number = [&](unsigned maxValue, auto store) -> std::string {
      if (!value) return "parameter \"" + std::string(name) + "\" needs a value";
      std::optional<unsigned> parsed = ParseNumber(*value, maxValue);
      if (!parsed) {
        return "\"" + std::string(*value) + "\" is not a number from 0 to " + std::to_string(maxValue) + " for \"" +
               std::string(name) + "\"";
      }
      store(*parsed);
      return {};
    };

    if (mouseLike) {
      SimFaultOptions& faults =
          item == DeviceItem::Mouse ? list.mouseOptions.faults : list.receiverOptions.faults;
      if (std::string problem; FaultParameter(name, value, faults, problem)) return problem;
      if (name == "memory") {
        if (!value || value->empty()) return "parameter \"memory\" needs a file";
        list.mouseOptions.memoryFile = std::string(*value);
        return {};
      }
    }
    if (mouseLike) {
      SimMouseOptions& mouse = list.mouseOptions;
      if (name == "sensor") return number(0xFFFF, [&](unsigned v) { mouse.sensorId = static_cast<uint16_t>(v); });
      if (name == "firmware")
        return number(0xFFFF, [&](unsigned v) { mouse.firmwareVersion = static_cast<uint16_t>(v); });
      if (name == "battery") return number(100, [&](unsigned v) { mouse.batteryLevel = static_cast<uint8_t>(v); });
      if (name == "charging") return flag(&mouse.charging, true);
      if (name == "light") return number(0xFF, [&](unsigned v) { mouse.lightModeCode = static_cast<uint8_t>(v); });
      if (name == "fresh") return flag(&mouse.initialised, false);
      if (name == "initialised") return flag(&mouse.initialised, true);
    }
    if (item == DeviceItem::MouseReceiver) {
      if (name == "linked") return flag(&list.receiverOptions.linked, true);
      if (name == "unlinked") return flag(&list.receiverOptions.linked, false);
    }
    if (item == DeviceItem::MousePad) {
      SimMousePadOptions& pad = list.mousePadOptions;
      if (name == "firmware")
        return number(0xFFFF, [&](unsigned v) { pad.firmwareVersion = static_cast<uint16_t>(v); });
      if (name == "fresh") return flag(&pad.initialised, false);
      if (name == "initialised") return flag(&pad.initialised, true);
      if (name == "light") return number(0xFF, [&](unsigned v) { pad.lightModeCode = static_cast<uint8_t>(v); });
      if (name == "colourful") return flag(&pad.colourful, true);
    }
    if (item == DeviceItem::Headset) {
      SimHeadsetOptions& headset = list.headsetOptions;
      if (name == "firmware") {
        return number(0xFFFF, [&](unsigned v) { headset.firmwareVersion = static_cast<uint16_t>(v); });
      }
      if (name == "battery") return number(100, [&](unsigned v) { headset.batteryLevel = static_cast<uint8_t>(v); });
      if (name == "fresh") return flag(&headset.initialised, false);
      if (name == "initialised") return flag(&headset.initialised, true);
    }
    return "unknown parameter \"" + std::string(name) + "\"";
  }
};

std::string ParseItem(std::string_view itemText, SimulationList& list) {
  std::vector<std::string_view> fields = Split(itemText, ':');
  const std::string_view device = fields[0];
  DeviceItem item;
  bool* listed = nullptr;
  if (device == "mouse") {
    item = DeviceItem::Mouse;
    listed = &list.mouse;
  } else if (device == "mouse-receiver") {
    item = DeviceItem::MouseReceiver;
    listed = &list.mouseReceiver;
  } else if (device == "mousepad") {
    item = DeviceItem::MousePad;
    listed = &list.mousePad;
  } else if (device == "headset") {
    item = DeviceItem::Headset;
    listed = &list.headset;
  } else if (device.empty()) {
    return "no device named";
  } else {
    return "unknown device \"" + std::string(device) + "\"";
  }
  if (*listed) return "\"" + std::string(device) + "\" is listed twice";
  *listed = true;

  ItemParser parser{list, item};
  for (size_t i = 1; i < fields.size(); ++i) {
    std::string_view parameter = fields[i];
    if (parameter.empty()) return "empty parameter";
    size_t equals = parameter.find('=');
    std::optional<std::string_view> value;
    if (equals != std::string_view::npos) value = parameter.substr(equals + 1);
    std::string problem = parser.Apply(parameter.substr(0, equals), value);
    if (!problem.empty()) return problem;
  }
  return {};
}

}  // namespace

std::optional<SimulationList> ParseSimulationList(std::string_view text, std::string* error) {
  SimulationList list;
  if (error) error->clear();
  // An empty list simulates a machine with none of the devices attached.
  if (text.empty()) return list;
  for (std::string_view item : Split(text, ',')) {
    std::string problem = ParseItem(item, list);
    if (!problem.empty()) {
      if (error) *error = "bad item \"" + std::string(item) + "\": " + problem;
      return std::nullopt;
    }
  }
  return list;
}
