#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "sim/virtual_device_options.h"

// The devices a --simulate list asks for. `mouse` is the mouse on its cable, `mouseReceiver` its
// 2.4 GHz receiver; named together they reach the same virtual mouse.
struct SimulationList {
  bool mouse = false;
  bool mouseReceiver = false;
  bool mousePad = false;
  bool headset = false;
  SimMouseOptions mouseOptions;
  SimReceiverOptions receiverOptions;
  SimMousePadOptions mousePadOptions;
  SimHeadsetOptions headsetOptions;
};

// Parses a comma-separated list of `mouse`, `mouse-receiver`, `mousepad` and `headset`, each with
// optional colon-separated parameters:
//   mouse, mouse-receiver: sensor=N, fresh, initialised, firmware=N, battery=N, charging,
//                          light=N (the factory lighting mode code: 1 breathing, 0 static …),
//                          memory=FILE (both items describe the one mouse); mouse-receiver also
//                          linked, unlinked; each also the faults of the frames it carries:
//                          late-reply=N, drop-reply=N, wrong-echo=N, status=ff@N, status=fe@N,
//                          unplug-after=N (N counts the command frames from 1)
//   mousepad:              firmware=N, fresh, initialised, light=CODE (every page's lighting mode), colourful
//   headset:               firmware=N, battery=N, fresh, initialised
// Numbers are decimal or 0x hexadecimal; an empty list names no device. Example:
//   mouse:sensor=12548:fresh,mouse-receiver:unlinked
// On a malformed list the error names the bad item and what is wrong with it, e.g.
//   bad item "mouse:sensr=3": unknown parameter "sensr"
std::optional<SimulationList> ParseSimulationList(std::string_view text, std::string* error);
