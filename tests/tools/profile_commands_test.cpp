// `t640ctl apply` and `t640ctl export` against the virtual mouse: what reaches the mouse, in which
// order, what is refused before anything is sent, and the round trip of a profile with macros.
#include "tools/t640ctl/profile_commands.h"

#include <gmock/gmock.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fstream>

#include "profiles/macros/macro_store.h"
#include "profiles/macros/sent_macro_record.h"
#include "profiles/profile_document.h"
#include "profiles/profile_import.h"
#include "profiles/storage/data_folders.h"
#include "profiles/storage/json_access.h"
#include "profiles/storage/json_file.h"
#include "sim/simulation.h"
#include "support/temp_data_folder.h"
#include "transport/command_numbers.h"

extern char** environ;

namespace {

const std::string kFactoryProfile = std::string(T640_SOURCE_DIR) + "DefaultData/mouse.Json";

Json::Value Event(int type, int button, bool down, int delay) {
  Json::Value event(Json::objectValue);
  event["Type"] = type;
  event["Button"] = button;
  event["Action"] = down ? "down" : "up";
  event["Delay"] = std::to_string(delay);
  return event;
}

Json::Value Macro(const std::string& name, size_t presses, int key) {
  Json::Value macro(Json::objectValue);
  macro["MacroName"] = name;
  Json::Value& events = macro["Events"] = Json::Value(Json::arrayValue);
  for (size_t i = 0; i < presses; ++i) {
    events.append(Event(10, key, true, 20));
    events.append(Event(10, key, false, 30));
  }
  return macro;
}

// The factory profile as an exported document whose right button plays macro 0, forward plays
// macro 1 repeatedly and back plays macro 0 again, with both macros carried in the file.
Json::Value ProfileWithTwoMacros() {
  Json::Value document(Json::objectValue);
  document["profilename"] = "Two macros";
  document["profileUUID"] = "2026_12_11_04_00_00_000";
  document["Device"] = LoadJsonFile(kFactoryProfile)["Device"];
  Json::Value& device = document["Device"][0];
  device["KeyList"][1]["Assignment"] = 0x700000;
  device["KeyList"][3]["Assignment"] = 0x710100;
  device["KeyList"][4]["Assignment"] = 0x700000;
  device["DPIStages"]["StageDPIs"][0]["StageDPIX"] = 20;
  device["LightInfo"]["Fx"] = 1;
  document["Macros"] = Json::Value(Json::arrayValue);
  document["Macros"].append(Macro("copy", 2, 6));
  document["Macros"].append(Macro("paste", 1, 25));
  return document;
}

bool Sent(const CVirtualDevice& device, uint8_t command) {
  for (const SimLoggedFrame& frame : device.Frames().Snapshot()) {
    if (frame.Command() == command) return true;
  }
  return false;
}

bool SentAnyWrite(const CVirtualDevice& device) {
  for (uint8_t command : {kCmdWriteSettings, kCmdWriteMacroData, kCmdWriteConfigImage, kCmdWriteDeviceInfo}) {
    if (Sent(device, command)) return true;
  }
  return false;
}

// The simulation's backend, except that the receiver loses its mouse as soon as the host has
// written the first frame of `command` to it.
class LinkCutter : public IHidBackend {
 public:
  LinkCutter(CSimulation& simulation, uint8_t command) : simulation_(simulation), command_(command) {}

  bool EnumerateInterfaces(std::vector<std::string>& paths) override {
    return simulation_.Backend().EnumerateInterfaces(paths);
  }
  std::shared_ptr<IHidConnection> Open(const std::string& path, const HidOpenMode& mode, HidOpenError* error) override {
    std::shared_ptr<IHidConnection> inner = simulation_.Backend().Open(path, mode, error);
    return inner ? std::make_shared<Connection>(std::move(inner), *this) : nullptr;
  }
  bool IsPresent(const std::string& path) override { return simulation_.Backend().IsPresent(path); }
  uint64_t ChangeGeneration() override { return simulation_.Backend().ChangeGeneration(); }

 private:
  class Connection : public IHidConnection {
   public:
    Connection(std::shared_ptr<IHidConnection> inner, LinkCutter& owner) : inner_(std::move(inner)), owner_(owner) {}
    const HidAttributes& Attributes() const override { return inner_->Attributes(); }
    const HidCaps& Caps() const override { return inner_->Caps(); }
    HidIoStatus Read(uint8_t* buffer, size_t length, uint32_t timeoutMs, size_t* bytesRead) override {
      return inner_->Read(buffer, length, timeoutMs, bytesRead);
    }
    HidIoStatus Write(const uint8_t* buffer, size_t length, uint32_t timeoutMs, size_t* bytesWritten) override {
      const HidIoStatus status = inner_->Write(buffer, length, timeoutMs, bytesWritten);
      if (length > 3 && buffer[3] == owner_.command_) owner_.simulation_.Receiver()->SetLinked(false);
      return status;
    }
    bool SetOutputReport(const uint8_t* buffer, size_t length) override { return inner_->SetOutputReport(buffer, length); }
    void FlushInput() override { inner_->FlushInput(); }
    void Abort() override { inner_->Abort(); }

   private:
    std::shared_ptr<IHidConnection> inner_;
    LinkCutter& owner_;
  };

  CSimulation& simulation_;
  const uint8_t command_;
};

class ProfileCommands : public testing::Test {
 protected:
  void Simulate(const std::string& list) {
    std::string error;
    simulation_ = CreateSimulation(list, &error);
    ASSERT_TRUE(simulation_) << error;
  }
  std::string WriteFile(const std::string& name, const std::string& text) {
    const std::string path = data_.Path() + "/" + name;
    std::ofstream(path) << text;
    return path;
  }
  std::string WriteDocument(const std::string& name, const Json::Value& document) {
    return WriteFile(name, StyledJsonText(document));
  }
  CommandOutcome Apply(const std::string& path) { return ApplyProfileCommand(simulation_->Backend(), path, folders_); }
  CommandOutcome Export(const std::string& path) { return ExportProfileCommand(simulation_->Backend(), path, folders_); }
  static std::string Messages(const CommandOutcome& outcome) {
    std::string text;
    for (const std::string& message : outcome.messages) text += message + "\n";
    return text;
  }

  TempDataFolder data_;
  MouseToolFolders folders_{DeviceDataFolder(kMouseKindName), kFactoryProfile};
  std::unique_ptr<CSimulation> simulation_;
};

TEST_F(ProfileCommands, AnAppliedProfileWithTwoMacrosExportsTheSameKeysAndMacros) {
  Simulate("mouse");
  const Json::Value applied = ProfileWithTwoMacros();
  const CommandOutcome apply = Apply(WriteDocument("applied.json", applied));
  ASSERT_EQ(apply.exitCode, kExitOk) << Messages(apply);

  // The order of a profile switch: the settings page, the macros, then the keys.
  std::vector<uint8_t> writes;
  for (const SimLoggedFrame& frame : simulation_->Mouse()->Frames().Snapshot()) {
    const uint8_t command = frame.Command();
    const bool write = command == kCmdWriteSettings || command == kCmdWriteMacroData || command == kCmdWriteConfigImage;
    if (write && (writes.empty() || writes.back() != command)) writes.push_back(command);
  }
  EXPECT_THAT(writes, testing::ElementsAre(kCmdWriteSettings, kCmdWriteMacroData, kCmdWriteConfigImage));

  const std::string exported = data_.Path() + "/exported.json";
  const CommandOutcome exportOutcome = Export(exported);
  ASSERT_EQ(exportOutcome.exitCode, kExitOk) << Messages(exportOutcome);
  EXPECT_TRUE(exportOutcome.messages.empty()) << Messages(exportOutcome);

  const Json::Value document = LoadJsonFile(exported);
  const Json::Value& device = DeviceElementOf(document, 0);
  EXPECT_EQ(device["KeyList"], applied["Device"][0]["KeyList"]);
  EXPECT_EQ(document["Macros"], applied["Macros"]);
  EXPECT_EQ(device["DPIStages"], applied["Device"][0]["DPIStages"]);
  EXPECT_EQ(device["LightInfo"], applied["Device"][0]["LightInfo"]);
  EXPECT_EQ(device["ReportStages"], applied["Device"][0]["ReportStages"]);
  EXPECT_EQ(document["profilename"].asString(), "Exported mouse");
  EXPECT_FALSE(document["profileUUID"].asString().empty());

  // The program's own import takes the export (and leaves the macros list out of the profile).
  const ProfileImportCheck check = ReadProfileForImport(exported);
  ASSERT_EQ(check.refusal, ProfileImportRefusal::kNone) << check.detail;
  EXPECT_EQ(check.document["Device"][0]["KeyList"], applied["Device"][0]["KeyList"]);
  EXPECT_FALSE(check.document.isMember("Macros"));

  // And applying the export again sends the same macro image.
  const std::vector<uint8_t> macroMemory = simulation_->Mouse()->ReadBlock(SimBlock::MacroData, 0, 4096);
  simulation_->Mouse()->WriteBlock(SimBlock::MacroData, 0, std::vector<uint8_t>(4096, 0));
  ASSERT_EQ(Apply(exported).exitCode, kExitOk);
  EXPECT_EQ(simulation_->Mouse()->ReadBlock(SimBlock::MacroData, 0, 4096), macroMemory);
}

TEST_F(ProfileCommands, AFileWithoutMacrosPlaysTheMacrosOfTheProgramsStore) {
  Simulate("mouse");
  CMacroStore store(folders_.dataFolder);
  ASSERT_TRUE(store.AddMacro().done);
  ASSERT_TRUE(store.AddMacro().done);
  const std::vector<MacroEvent> events = {{10, 4, true, 10}, {10, 4, false, 10}};
  ASSERT_TRUE(store.SaveMacroEvents(1, events).done);
  Json::Value document = ProfileWithTwoMacros();
  document.removeMember("Macros");
  document["Device"][0]["KeyList"][3]["Assignment"] = 0x700100;  // only macro 1 of the store is bound

  ASSERT_EQ(Apply(WriteDocument("applied.json", document)).exitCode, kExitOk);
  // Keys 1 and 4 name macro 0, which the store keeps without events; key 3 names macro 1.
  EXPECT_EQ(ReadSentMacroRecord(folders_.dataFolder),
            (std::vector<NamedMacro>{{store.Names()[0], {}}, {store.Names()[1], events}}));
}

TEST_F(ProfileCommands, WithoutARecordOfTheSentMacrosExportWarnsAndKeepsTheKeys) {
  Simulate("mouse");
  ASSERT_EQ(Apply(WriteDocument("applied.json", ProfileWithTwoMacros())).exitCode, kExitOk);
  ASSERT_TRUE(ForgetSentMacroRecord(folders_.dataFolder));

  const std::string exported = data_.Path() + "/exported.json";
  const CommandOutcome outcome = Export(exported);
  EXPECT_EQ(outcome.exitCode, kExitOk);
  ASSERT_EQ(outcome.messages.size(), 2u) << Messages(outcome);  // places 0 and 1, each once
  EXPECT_THAT(outcome.messages[0], testing::HasSubstr("unknown to this computer"));
  const Json::Value document = LoadJsonFile(exported);
  EXPECT_EQ(DeviceElementOf(document, 0)["KeyList"][3]["Assignment"].asUInt(), 0x710100u);
  // An empty list, so that applying the file gives those keys their defaults instead of whatever
  // the macro store of that computer numbers 0 and 1.
  EXPECT_EQ(document["Macros"], Json::Value(Json::arrayValue));
}

TEST_F(ProfileCommands, AReceiverThatLosesTheMouseDuringTheMacrosWritesNoKeys) {
  Simulate("mouse-receiver");
  const std::vector<uint8_t> image = simulation_->Mouse()->ReadBlock(SimBlock::ConfigImage, 0, 512);
  // The link drops while the macro image is on its way.
  LinkCutter cutter(*simulation_, kCmdWriteMacroData);
  const CommandOutcome outcome = ApplyProfileCommand(cutter, WriteDocument("applied.json", ProfileWithTwoMacros()), folders_);
  EXPECT_EQ(outcome.exitCode, kExitFailed);
  EXPECT_THAT(Messages(outcome), testing::HasSubstr("sending the macros failed at"));
  EXPECT_THAT(Messages(outcome), testing::HasSubstr("the key assignments were not written"));
  EXPECT_TRUE(Sent(*simulation_->Receiver(), kCmdWriteMacroData));
  EXPECT_FALSE(Sent(*simulation_->Receiver(), kCmdWriteConfigImage));
  EXPECT_EQ(simulation_->Mouse()->ReadBlock(SimBlock::ConfigImage, 0, 512), image);
  EXPECT_FALSE(ReadSentMacroRecord(folders_.dataFolder));
}

struct RefusedFile {
  const char* name;
  std::string text;
  const char* reason;
};

std::string WithMacros(const std::string& macros) {
  Json::Value document = ProfileWithTwoMacros();
  document.removeMember("Macros");
  std::string text = StyledJsonText(document);
  text.insert(text.rfind('}'), ", \"Macros\": " + macros);
  return text;
}

TEST_F(ProfileCommands, ARefusedFileSendsNothingAndExitsWith2) {
  const std::string good = StyledJsonText(ProfileWithTwoMacros());
  const RefusedFile files[] = {
      {"cut short", good.substr(0, good.size() / 2), "not a JSON document"},
      {"not a profile", "{\"Events\": []}", "lacks \"profilename\""},
      {"macros not a list", WithMacros("{}"), "\"Macros\" is not a list"},
      {"unknown event type", WithMacros("[{\"MacroName\": \"m\", \"Events\": [{\"Type\": 7, \"Button\": 1, \"Action\": \"down\"}]}]"),
       "Macros[0]: Event 1 has no known \"Type\""},
      {"bad action", WithMacros("[{\"MacroName\": \"m\", \"Events\": []}, {\"MacroName\": \"n\", \"Events\": [{\"Type\": 1, "
                                "\"Button\": 1, \"Action\": \"press\"}]}]"),
       "Macros[1]: Event 1 has an \"Action\""},
      {"blank macro name", WithMacros("[{\"MacroName\": \"  \", \"Events\": []}]"), "Macros[0]: "},
      {"no events", WithMacros("[{\"MacroName\": \"m\"}]"), "Macros[0]: has no \"Events\" list"},
      {"another kind's profile", "{\"profilename\": \"k\", \"profileUUID\": \"1\", \"Device\": [{\"KeyList\": []}]}",
       "no sensitivity stage is on"},
  };
  for (const RefusedFile& file : files) {
    Simulate("mouse");
    const CommandOutcome outcome = Apply(WriteFile("refused.json", file.text));
    EXPECT_EQ(outcome.exitCode, kExitUsage) << file.name;
    EXPECT_THAT(Messages(outcome), testing::HasSubstr(file.reason)) << file.name;
    EXPECT_TRUE(simulation_->Mouse()->Frames().Snapshot().empty()) << file.name;
  }
  Simulate("mouse");
  EXPECT_EQ(Apply(data_.Path() + "/missing.json").exitCode, kExitUsage);
}

struct UnfitMacros {
  const char* name;
  size_t presses;      // each macro is this many key presses, two events each
  uint8_t macroUnits;  // the mouse's macro memory, × 128 bytes
  int actionsOver;
};

TEST_F(ProfileCommands, MacrosThatDoNotFitSayHowManyActionsMustGoAndSendNothingAfterTheSettings) {
  const UnfitMacros cases[] = {
      // 62 events: two more than the mouse plays.
      {"a macro too long", 31, 32, 2},
      // 16 + 2 × 6 + 4 × 40 = 188 bytes into 128: ((188 - 128) ÷ 4) + 1.
      {"an image over the memory", 10, 1, 16},
  };
  for (const UnfitMacros& c : cases) {
    Simulate("mouse");
    simulation_->Mouse()->WriteBlock(SimBlock::DeviceInfo, 6, std::vector<uint8_t>{c.macroUnits});
    Json::Value document = ProfileWithTwoMacros();
    document["Macros"][0] = Macro("long", c.presses, 6);
    document["Macros"][1] = Macro("longer", c.presses, 7);
    const CommandOutcome outcome = Apply(WriteDocument("unfit.json", document));
    EXPECT_EQ(outcome.exitCode, kExitFailed) << c.name;
    EXPECT_THAT(Messages(outcome), testing::HasSubstr(": " + std::to_string(c.actionsOver) + " actions must go")) << c.name;
    EXPECT_FALSE(Sent(*simulation_->Mouse(), kCmdWriteMacroData)) << c.name;
    EXPECT_FALSE(Sent(*simulation_->Mouse(), kCmdWriteConfigImage)) << c.name;
  }
}

TEST_F(ProfileCommands, WithoutAMouseApplyAndExportFailAndAnUnsetMouseIsNotClaimed) {
  Simulate("mousepad");
  EXPECT_THAT(Messages(Apply(WriteDocument("applied.json", ProfileWithTwoMacros()))), testing::HasSubstr("no mouse is attached"));
  EXPECT_EQ(Export(data_.Path() + "/exported.json").exitCode, kExitFailed);

  Simulate("mouse:fresh");
  const CommandOutcome outcome = Apply(WriteDocument("applied.json", ProfileWithTwoMacros()));
  EXPECT_EQ(outcome.exitCode, kExitFailed);
  EXPECT_THAT(Messages(outcome), testing::HasSubstr("has not been set up by T640"));
  EXPECT_FALSE(SentAnyWrite(*simulation_->Mouse()));
}

// The two commands as the user runs them: separate processes on one remembered virtual mouse.
int RunTool(const std::vector<std::string>& arguments, const std::string& errors) {
  std::vector<char*> argv;
  std::vector<std::string> owned = arguments;
  owned.insert(owned.begin(), T640CTL_TOOL);
  for (std::string& argument : owned) argv.push_back(argument.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, T640CTL_TOOL, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(ProfileCommands, ApplyAndExportInTwoProcessesShareTheRememberedMouse) {
  setenv("T640_PROGRAM_FOLDER", T640_SOURCE_DIR, 1);
  const std::string memory = "mouse:memory=" + data_.Path() + "/mouse.mem";
  const Json::Value applied = ProfileWithTwoMacros();
  const std::string errors = data_.Path() + "/errors.txt";
  ASSERT_EQ(RunTool({"--simulate", memory, "apply", WriteDocument("applied.json", applied)}, errors), 0)
      << data_.ReadFile("errors.txt");
  const std::string exported = data_.Path() + "/exported.json";
  ASSERT_EQ(RunTool({"--simulate", memory, "export", exported}, errors), 0) << data_.ReadFile("errors.txt");
  unsetenv("T640_PROGRAM_FOLDER");

  const ProfileImportCheck check = ReadProfileForImport(exported);
  ASSERT_EQ(check.refusal, ProfileImportRefusal::kNone) << check.detail;
  EXPECT_EQ(check.document["Device"][0]["KeyList"], applied["Device"][0]["KeyList"]);
  EXPECT_EQ(LoadJsonFile(exported)["Macros"], applied["Macros"]);

  // A usage error and a refused file exit with 2.
  EXPECT_EQ(RunTool({"--simulate", memory, "apply"}, errors), 2);
  EXPECT_EQ(RunTool({"--simulate", memory, "apply", WriteFile("bad.json", "{")}, errors), 2);
}

}  // namespace
