#include "sim/simulation_list.h"

#include <gtest/gtest.h>

#include <functional>

#include "sim/simulation.h"

namespace {

TEST(SimulationList, GoodListsNameTheirDevicesAndParameters) {
  struct Case {
    const char* text;
    std::function<void(const SimulationList&)> check;
  };
  const Case cases[] = {
      {"", [](const SimulationList& l) { EXPECT_FALSE(l.mouse || l.mouseReceiver || l.mousePad || l.headset); }},
      {"mouse",
       [](const SimulationList& l) {
         EXPECT_TRUE(l.mouse);
         EXPECT_FALSE(l.mouseReceiver || l.mousePad || l.headset);
         EXPECT_TRUE(l.mouseOptions.initialised);
       }},
      {"mouse:sensor=12548:fresh,mouse-receiver:unlinked",
       [](const SimulationList& l) {
         EXPECT_TRUE(l.mouse && l.mouseReceiver);
         EXPECT_EQ(l.mouseOptions.sensorId, 12548);
         EXPECT_FALSE(l.mouseOptions.initialised);
         EXPECT_FALSE(l.receiverOptions.linked);
       }},
      {"mouse:sensor=0x3104:firmware=0x0102:battery=55:charging:light=0",
       [](const SimulationList& l) {
         EXPECT_EQ(l.mouseOptions.lightModeCode, 0);
         EXPECT_EQ(l.mouseOptions.sensorId, 0x3104);
         EXPECT_EQ(l.mouseOptions.firmwareVersion, 0x0102);
         EXPECT_EQ(l.mouseOptions.batteryLevel, 55);
         EXPECT_TRUE(l.mouseOptions.charging);
       }},
      {"mouse-receiver:fresh:initialised:unlinked:linked:battery=0",
       [](const SimulationList& l) {
         EXPECT_FALSE(l.mouse);
         EXPECT_TRUE(l.mouseOptions.initialised);
         EXPECT_TRUE(l.receiverOptions.linked);
         EXPECT_EQ(l.mouseOptions.batteryLevel, 0);
       }},
      {"mouse:late-reply=3:status=fe@7:memory=/tmp/m.mem,mouse-receiver:drop-reply=2:wrong-echo=4:unplug-after=0",
       [](const SimulationList& l) {
         EXPECT_EQ(l.mouseOptions.faults.lateReply, 3u);
         EXPECT_EQ(l.mouseOptions.faults.statusFrame, 7u);
         EXPECT_EQ(l.mouseOptions.faults.status, 0xFE);
         EXPECT_EQ(l.mouseOptions.memoryFile, "/tmp/m.mem");
         EXPECT_EQ(l.receiverOptions.faults.dropReply, 2u) << "the receiver's frames are the receiver's";
         EXPECT_EQ(l.receiverOptions.faults.wrongEcho, 4u);
         EXPECT_EQ(l.receiverOptions.faults.unplugAfter, 0u);
         EXPECT_FALSE(l.mouseOptions.faults.dropReply);
       }},
      {"headset:battery=30:firmware=0X10A,mousepad:fresh",
       [](const SimulationList& l) {
         EXPECT_TRUE(l.headset && l.mousePad);
         EXPECT_EQ(l.headsetOptions.batteryLevel, 30);
         EXPECT_EQ(l.headsetOptions.firmwareVersion, 0x10A);
         EXPECT_FALSE(l.mousePadOptions.initialised);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::string error = "stale";
    std::optional<SimulationList> list = ParseSimulationList(c.text, &error);
    ASSERT_TRUE(list) << error;
    EXPECT_EQ(error, "");
    c.check(*list);
  }
}

TEST(SimulationList, BadListsNameTheBadItem) {
  struct Case {
    const char* text;
    const char* error;
  };
  const Case cases[] = {
      {"mouse:sensr=3", R"(bad item "mouse:sensr=3": unknown parameter "sensr")"},
      {"mouse,keyboard", R"(bad item "keyboard": unknown device "keyboard")"},
      {"mouse,", R"(bad item "": no device named)"},
      {",mouse", R"(bad item "": no device named)"},
      {"mouse,mouse:fresh", R"(bad item "mouse:fresh": "mouse" is listed twice)"},
      {"mouse::fresh", R"(bad item "mouse::fresh": empty parameter)"},
      {"mouse:sensor", R"(bad item "mouse:sensor": parameter "sensor" needs a value)"},
      {"mouse:fresh=1", R"(bad item "mouse:fresh=1": parameter "fresh" takes no value)"},
      {"mouse:battery=101", R"(bad item "mouse:battery=101": "101" is not a number from 0 to 100 for "battery")"},
      {"mouse:sensor=0x", R"(bad item "mouse:sensor=0x": "0x" is not a number from 0 to 65535 for "sensor")"},
      {"mouse:sensor=0x10000",
       R"(bad item "mouse:sensor=0x10000": "0x10000" is not a number from 0 to 65535 for "sensor")"},
      {"mouse:sensor=12a", R"(bad item "mouse:sensor=12a": "12a" is not a number from 0 to 65535 for "sensor")"},
      {"mouse:unlinked", R"(bad item "mouse:unlinked": unknown parameter "unlinked")"},
      {"mousepad:battery=3", R"(bad item "mousepad:battery=3": unknown parameter "battery")"},
      {"headset:charging", R"(bad item "headset:charging": unknown parameter "charging")"},
      {"mouse:late-reply=0", R"(bad item "mouse:late-reply=0": parameter "late-reply" needs a frame number from 1)"},
      {"mouse:drop-reply", R"(bad item "mouse:drop-reply": parameter "drop-reply" needs a frame number from 1)"},
      {"mouse:status=ff", R"(bad item "mouse:status=ff": parameter "status" takes ff@N or fe@N)"},
      {"mouse:status=00@3", R"(bad item "mouse:status=00@3": parameter "status" takes ff@N or fe@N)"},
      {"mouse:memory", R"(bad item "mouse:memory": parameter "memory" needs a file)"},
      {"mousepad:late-reply=2", R"(bad item "mousepad:late-reply=2": unknown parameter "late-reply")"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::string error;
    EXPECT_FALSE(ParseSimulationList(c.text, &error));
    EXPECT_EQ(error, c.error);
  }
}

TEST(Simulation, PlugsWhatTheListNamesAndSharesOneMouse) {
  std::string error;
  std::unique_ptr<CSimulation> sim = CreateSimulation("mouse:battery=12,mouse-receiver:unlinked,headset", &error);
  ASSERT_TRUE(sim) << error;
  ASSERT_TRUE(sim->Mouse() && sim->Receiver() && sim->Headset());
  EXPECT_FALSE(sim->MousePad());
  EXPECT_EQ(sim->Receiver()->Mouse(), sim->Mouse());
  EXPECT_FALSE(sim->Receiver()->IsLinked());
  EXPECT_EQ(sim->Mouse()->ReadBlock(SimBlock::Status, 0, 1), std::vector<uint8_t>{12});
  std::vector<std::string> paths;
  ASSERT_TRUE(sim->Backend().EnumerateInterfaces(paths));
  EXPECT_EQ(paths.size(), 6u + 6u + 1u);
}

TEST(Simulation, ReceiverAloneLeavesTheMouseCableUnplugged) {
  std::string error;
  std::unique_ptr<CSimulation> sim = CreateSimulation("mouse-receiver", &error);
  ASSERT_TRUE(sim);
  ASSERT_TRUE(sim->Mouse());
  EXPECT_FALSE(sim->Mouse()->IsPlugged());
  EXPECT_TRUE(sim->Receiver()->IsPlugged());
  EXPECT_FALSE(CreateSimulation("mouse:sensr=3", &error));
  EXPECT_EQ(error, R"(bad item "mouse:sensr=3": unknown parameter "sensr")");
}

}  // namespace
