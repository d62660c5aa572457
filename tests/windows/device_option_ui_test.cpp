// The device tile: its pictures by kind, the synchronised option, page and power bindings, its
// look when selected, and the device timers it carries.
#include "windows/device_selector/device_option_ui.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "controls_harness.h"
#include "devices/device_creation.h"
#include "devices/device_messages.h"
#include "devices/velmar_usb_device.h"
#include "sim/simulation.h"
#include "support/fake_hid_backend.h"
#include "support/temp_data_folder.h"
#include "test_window.h"
#include "transport/supported_devices.h"
#include "ui/controls/mp_device_power_ui.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/render_engine.h"
#include "ui/toolkit/resource_manager.h"
#include "ui/toolkit/tab_layout_ui.h"
#include "ui/toolkit/window_api.h"
#include "ui_test_environment.h"
#include "windows/device_selector/register_device_selector_controls.h"

namespace {

constexpr const char* kTileLayout = "XML\\CustomControlXML\\DeviceOption.xml";
constexpr QRgb kAccent = qRgb(0x00, 0xD4, 0xFF);

// A strip of tiles over the device pages, as the main window arranges them.
constexpr const char* kStripWindow =
    "<Window size='700,200'><Include source='styles.xml'/>"
    "<VerticalLayout bkcolor='#FF0B0C0F'>"
    "<HorizontalLayout name='device_select_layout' height='56' childpadding='8'/>"
    "<TabLayout name='device_switch'><Control/><Control/><Control/></TabLayout>"
    "<TabLayout name='device_power_switch' height='32'/>"
    "</VerticalLayout></Window>";

struct SentMessage {
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  bool operator==(const SentMessage&) const = default;
};

// Records the program's own messages to the window; the window system's go on as usual.
void RecordOwnMessages(CTestWindow& window, std::vector<SentMessage>& messages) {
  window.onMessage = [&messages](UINT message, WPARAM wParam, LPARAM lParam, bool& handled) -> LRESULT {
    handled = message >= WM_USER;
    if (handled) messages.push_back({message, wParam, lParam});
    return 0;
  };
}

// A window holding the selector strip, recording the messages sent to it (it is the devices'
// owner window too).
class TileStrip : public testing::Test {
 protected:
  void SetUp() override {
    UseShippedSkin();
    RegisterDeviceSelectorControls();
    window = std::make_unique<CTestWindow>(kStripWindow);
    RecordOwnMessages(*window, messages);
    ASSERT_NE(window->CreateHidden(), nullptr);
    tile = AddTile();
    ASSERT_NE(tile, nullptr);
  }
  void TearDown() override { DestroyWindow(*window); }

  CPaintManagerUI& Manager() { return window->Manager(); }

  // Built from the shipped layout the way the main window builds each tile.
  CDeviceOptionUI* AddTile() {
    CDialogBuilder builder;
    CControlUI* root = builder.Create(kTileLayout, nullptr, nullptr, &Manager());
    auto* built = root ? static_cast<CDeviceOptionUI*>(root->GetInterface("DeviceOption")) : nullptr;
    if (!built) {
      delete root;
      return nullptr;
    }
    static_cast<CContainerUI*>(Manager().FindControl("device_select_layout"))->Add(built);
    Manager().UpdateLayout();
    return built;
  }

  CControlUI* Part(CDeviceOptionUI* owner, const char* name) { return Manager().FindSubControlByName(owner, name); }
  COptionUI* PictureOf(CDeviceOptionUI* owner) {
    return static_cast<COptionUI*>(Part(owner, "device_select")->GetInterface("Option"));
  }
  COptionUI* SynchroOf(CDeviceOptionUI* owner) {
    return static_cast<COptionUI*>(Part(owner, "synchro_device_select")->GetInterface("Option"));
  }
  int Count(const std::string& type, const std::string& sender) { return window->Count(type, sender); }

  std::unique_ptr<CTestWindow> window;
  CDeviceOptionUI* tile = nullptr;
  std::vector<SentMessage> messages;
};

std::string Picture(const std::string& prefix, const std::string& variant) {
  return "common/device_ico/" + prefix + "_device_" + variant + ".png";
}

}  // namespace

TEST_F(TileStrip, ShippedLayoutStartsAsAReachableUnknownDeviceWithNoPages) {
  EXPECT_STREQ(tile->GetClass(), "DeviceOption");
  EXPECT_NE(Part(tile, "device_select_name"), nullptr);
  EXPECT_FALSE(SynchroOf(tile)->IsVisible()) << "the synchronised option is offered only with two devices";
  EXPECT_EQ(PictureOf(tile)->GetNormalImage(), Picture("unknow", "normal"));
  EXPECT_EQ(PictureOf(tile)->GetSelectedImage(), Picture("unknow", "selected"));
  EXPECT_EQ(tile->GetImageSet().synchroSelected, Picture("unknow", "synchro_selected"));
  EXPECT_TRUE(tile->IsReachable());
  EXPECT_FALSE(tile->IsSelected());
  EXPECT_EQ(tile->GetPageIndex(), -1);
  EXPECT_EQ(tile->GetPowerIndex(), -1);
}

TEST_F(TileStrip, KindAndSubKindChooseThePicturesAndTheTooltip) {
  struct Case {
    int kind;
    int subKind;
    const char* prefix;
  };
  const Case cases[] = {
      {1, 0, "kb"},      {1, 9, "kb"},     {2, 0, "ms"},     {2, 1, "ms"},      {3, 0, "hard_mp"},
      {3, 1, "soft_mp"}, {4, 0, "hd"},     {7, 0, "hd"},     {7, 255, "hd"},    {5, 0, "hub"},
      {0, 0, "unknow"},  {6, 0, "unknow"}, {9, 0, "unknow"}, {-1, 0, "unknow"}, {65535, 0, "unknow"},
  };
  for (const Case& test : cases) {
    tile->SetKind(test.kind, test.subKind);
    const std::string prefix = test.prefix;
    EXPECT_EQ(PictureOf(tile)->GetNormalImage(), Picture(prefix, "normal")) << test.kind << "/" << test.subKind;
    EXPECT_EQ(PictureOf(tile)->GetSelectedImage(), Picture(prefix, "selected")) << test.kind << "/" << test.subKind;
    const std::string tooltip = prefix + "_device_name_text";
    EXPECT_EQ(tile->GetImageSet().tooltipKey, tooltip);
    EXPECT_EQ(PictureOf(tile)->GetToolTip(), CResourceManager::GetInstance()->GetText(tooltip.c_str()))
        << "the tooltip is a language key";
    EXPECT_EQ(tile->GetImageSet().synchroNormal, Picture(prefix, "synchro_normal"));
    EXPECT_EQ(tile->GetImageSet().synchroSelected, Picture(prefix, "synchro_selected"));
    EXPECT_EQ(tile->GetKind(), test.kind);
    EXPECT_EQ(tile->GetSubKind(), test.subKind);
  }
}

TEST_F(TileStrip, MousePadOfAnUnknownSubKindKeepsWhatTheTileShows) {
  tile->SetKind(3, 1);
  tile->SetKind(3, 2);
  EXPECT_EQ(PictureOf(tile)->GetNormalImage(), Picture("soft_mp", "normal"));
  EXPECT_EQ(tile->GetImageSet().normal, Picture("soft_mp", "normal"));
  EXPECT_EQ(tile->GetKind(), 3);
  EXPECT_EQ(tile->GetSubKind(), 2);
}

TEST_F(TileStrip, EveryPictureATileCanShowResolvesThroughTheResourceIndex) {
  for (const char* prefix : {"ms", "kb", "hard_mp", "soft_mp", "hd", "hub", "unknow"}) {
    for (const char* variant : {"normal", "selected", "synchro_normal", "synchro_selected"}) {
      const std::string name = Picture(prefix, variant);
      SIZE size{};
      EXPECT_TRUE(CRenderEngine::GetImageSize(nullptr, name.c_str(), size)) << name;
    }
  }
}

// The tooltip keys are marked with TextKey and checked with every other key the code uses; the
// kind names come from the device-kind table.
TEST_F(TileStrip, KindNamesAreInEveryShippedLanguage) {
  for (const char* language : {"lan_en.xml", "lan_cn.xml"}) {
    ASSERT_TRUE(CResourceManager::GetInstance()->LoadLanguage((ShippedDataFolder() + language).c_str())) << language;
    for (const DeviceKindRow& row : kDeviceKindRows) {
      const std::string key(row.KindName);
      EXPECT_TRUE(CResourceManager::GetInstance()->HasText(key.c_str())) << key << " in " << language;
    }
  }
}

TEST_F(TileStrip, SynchroOptionSwitchesThePicturePair) {
  tile->SetKind(2, 0);
  tile->SetSynchroVisible(true);
  EXPECT_TRUE(SynchroOf(tile)->IsVisible());
  EXPECT_EQ(PictureOf(tile)->GetNormalImage(), Picture("ms", "normal"));

  tile->SetSynchroSelected(true);
  EXPECT_TRUE(tile->IsSynchroSelected());
  EXPECT_EQ(Count("selectchanged", "synchro_device_select"), 1);
  EXPECT_EQ(PictureOf(tile)->GetNormalImage(), Picture("ms", "synchro_normal"));
  EXPECT_EQ(PictureOf(tile)->GetSelectedImage(), Picture("ms", "synchro_selected"));

  tile->SetSynchroVisible(false);
  EXPECT_FALSE(SynchroOf(tile)->IsVisible());
  EXPECT_EQ(PictureOf(tile)->GetNormalImage(), Picture("ms", "synchro_normal")) << "the pair follows the selection";
  tile->SetKind(1, 0);
  EXPECT_EQ(PictureOf(tile)->GetSelectedImage(), Picture("kb", "synchro_selected")) << "a new kind keeps the pair";

  tile->SetSynchroSelected(false);
  EXPECT_FALSE(tile->IsSynchroSelected());
  EXPECT_EQ(PictureOf(tile)->GetNormalImage(), Picture("kb", "normal"));
  EXPECT_EQ(PictureOf(tile)->GetSelectedImage(), Picture("kb", "selected"));
}

TEST_F(TileStrip, SelectingABoundTileShowsItsPageAndClearsTheOtherTilesOfItsGroup) {
  CDeviceOptionUI* other = AddTile();
  ASSERT_NE(other, nullptr);
  tile->SetGroup("tab_header_device");
  other->SetGroup("tab_header_device");
  tile->BindPage("device_switch", 2);
  other->BindPage("device_switch", 1);
  EXPECT_EQ(tile->GetPageIndex(), 2);
  EXPECT_EQ(tile->GetPageContainer(), "device_switch");
  auto* pages = static_cast<CTabLayoutUI*>(Manager().FindControl("device_switch"));

  tile->Select(true);
  EXPECT_TRUE(tile->IsSelected());
  EXPECT_TRUE(tile->IsTileSelected());
  EXPECT_EQ(pages->GetCurSel(), 2);
  EXPECT_EQ(Count("selectchanged", "device_select"), 1);

  other->Select(true);
  EXPECT_FALSE(tile->IsSelected());
  EXPECT_EQ(pages->GetCurSel(), 1);
}

TEST_F(TileStrip, PowerPageKeepsOnlyAnIndexOfZeroOrMore) {
  struct Step {
    const char* container;
    int index;
    int expectedIndex;
  };
  const Step steps[] = {
      {"device_power_switch", -1, -1}, {"device_power_switch", 2, 2}, {"other", -1, 2}, {"device_power_switch", 0, 0}};
  for (const Step& step : steps) {
    tile->SetPowerPage(step.container, step.index);
    EXPECT_EQ(tile->GetPowerIndex(), step.expectedIndex) << step.container << " " << step.index;
    EXPECT_EQ(tile->GetPowerContainer(), step.container);
  }
}

TEST_F(TileStrip, VisibilityIsReachability) {
  tile->SetVisible(false);
  EXPECT_FALSE(tile->IsReachable());
  EXPECT_FALSE(tile->IsTileShown());
  EXPECT_FALSE(tile->IsVisible());
  tile->ShowTile(true);
  EXPECT_TRUE(tile->IsReachable());
  EXPECT_TRUE(tile->IsVisible());
}

TEST_F(TileStrip, ANotConnectedDeviceStaysInTheStripFadedAndSelectableUntilItIsReachable) {
  tile->SetKind(2, 0);
  tile->SetGroup("tab_header_device");
  tile->ShowNotConnected();
  EXPECT_TRUE(tile->IsVisible());
  EXPECT_TRUE(tile->IsInStrip());
  EXPECT_FALSE(tile->IsReachable());
  EXPECT_FALSE(tile->IsTileShown()) << "the device's link watch still sees it as not shown";
  EXPECT_TRUE(Part(tile, "device_select_state")->IsVisible());
  EXPECT_EQ(PictureOf(tile)->GetToolTip(), CResourceManager::GetInstance()->GetText("device_not_connected_tip"));
  EXPECT_NE(PictureOf(tile)->GetNormalImage().str().find("fade="), std::string::npos);
  Click(*window, Part(tile, "device_select_name"));
  EXPECT_TRUE(tile->IsSelected()) << "the user can still look at it";

  tile->ShowTile(true);
  EXPECT_TRUE(tile->IsReachable());
  EXPECT_FALSE(tile->IsNotConnected());
  EXPECT_FALSE(Part(tile, "device_select_state")->IsVisible());
  EXPECT_EQ(PictureOf(tile)->GetNormalImage(), Picture("ms", "normal"));
  EXPECT_EQ(PictureOf(tile)->GetToolTip(), CResourceManager::GetInstance()->GetText("ms_device_name_text"));

  tile->ShowNotConnected();
  tile->SetVisible(false);
  EXPECT_FALSE(tile->IsInStrip());
  EXPECT_FALSE(tile->IsVisible());
}

TEST_F(TileStrip, TheNameShowsTheKindNameInTheCurrentLanguage) {
  tile->SetDeviceName("MousePad");
  tile->SetName("tile_0");
  EXPECT_EQ(Part(tile, "device_select_name")->GetText(), "Mouse pad");
  EXPECT_EQ(tile->GetName(), "tile_0") << "the control's own name is untouched";
}

TEST_F(TileStrip, ActivatingTheTileReportsASelectionChangeOfTheTile) {
  tile->SetName("tile_0");
  EXPECT_TRUE(tile->Activate());
  EXPECT_EQ(Count("selectchanged", "tile_0"), 1);
  tile->SetEnabled(false);
  EXPECT_FALSE(tile->Activate());
  EXPECT_EQ(Count("selectchanged", "tile_0"), 1);
}

TEST_F(TileStrip, AClickOnTheNameSelectsTheDevice) {
  tile->SetGroup("tab_header_device");
  Click(*window, Part(tile, "device_select_name"));
  EXPECT_TRUE(tile->IsSelected());
  EXPECT_EQ(Count("selectchanged", "device_select"), 1);
}

TEST_F(TileStrip, TheSelectedTileIsFramedInTheAccent) {
  const RECT rc = tile->GetPos();
  auto topEdge = [&] { return Render(Manager(), SIZE{700, 200}).pixel((rc.left + rc.right) / 2, rc.top); };
  EXPECT_FALSE(NearColor(topEdge(), kAccent));
  tile->Select(true);
  EXPECT_TRUE(NearColor(topEdge(), kAccent));
  tile->Select(false);
  EXPECT_FALSE(NearColor(topEdge(), kAccent));
}

// ---- the device's timers ----

namespace {

// A device that records which timer actions reached it, and on which thread.
class CRecordingDevice : public CVelmarUSBDevice {
 public:
  using CVelmarUSBDevice::CVelmarUSBDevice;
  void SyncFromDevice() override {
    std::lock_guard<std::mutex> guard(mutex);
    syncThreads.push_back(std::this_thread::get_id());
  }
  void RefreshStatus() override { ++refreshRuns; }
  size_t SyncRuns() {
    std::lock_guard<std::mutex> guard(mutex);
    return syncThreads.size();
  }

  std::mutex mutex;
  std::vector<std::thread::id> syncThreads;
  int refreshRuns = 0;
};

class TileTimers : public TileStrip {
 protected:
  void SetUp() override {
    TileStrip::SetUp();
    device = std::make_unique<CRecordingDevice>(backend);
  }
  void TearDown() override {
    TileStrip::TearDown();
    window.reset();  // the tile goes before the device it points to
    device.reset();
  }
  void Bind() {
    tile->SetDevice(device.get());
    device->SetTile(tile);
  }
  void Fire(uint32_t timerId) {
    TEventUI event;
    event.Type = UIEVENT_TIMER;
    event.pSender = tile;
    event.wParam = timerId;
    tile->Event(event);
  }
  bool Armed(uint32_t timerId) { return Manager().HasTimer(tile, timerId); }

  CFakeHidBackend backend;
  std::unique_ptr<CRecordingDevice> device;
};

}  // namespace

TEST_F(TileTimers, ATimerRunsTheBoundDevicesActionAndNothingWithoutADevice) {
  Fire(kTimerSyncFromDevice);
  Fire(kTimerRefreshStatus);
  EXPECT_EQ(device->SyncRuns(), 0u);
  EXPECT_EQ(Count("timer", ""), 0) << "the device's timers are not window notifications";

  Bind();
  Fire(kTimerSyncFromDevice);
  Fire(kTimerRefreshStatus);
  EXPECT_EQ(device->SyncRuns(), 1u);
  EXPECT_EQ(device->refreshRuns, 1);
}

TEST_F(TileTimers, ATimerStartedOnAnotherThreadFiresOnTheUserInterfaceThread) {
  Bind();
  std::thread listener([this] { tile->StartTileTimer(kTimerSyncFromDevice, 1); });
  listener.join();
  ASSERT_TRUE(PumpUntil([this] { return device->SyncRuns() > 0; }, 5000));
  EXPECT_EQ(device->syncThreads.front(), std::this_thread::get_id());
  EXPECT_FALSE(Armed(kTimerSyncFromDevice)) << "the device stopped it through the tile";
}

TEST_F(TileTimers, HelpersArmTheirTimersOnlyWhenTheDeviceCanAnswer) {
  Bind();
  tile->StartLinkWatch();
  tile->RestartSleepTimer();
  EXPECT_TRUE(Armed(kTimerReadAll));
  EXPECT_TRUE(Armed(kTimerKeepAlive));
  tile->StopTileTimer(kTimerReadAll);
  EXPECT_FALSE(Armed(kTimerReadAll));

  tile->ScheduleLinkCheck(2000);
  tile->RefreshPower();
  EXPECT_FALSE(Armed(kTimerLinkWatch)) << "channel closed";
  EXPECT_FALSE(Armed(kTimerRefreshStatus)) << "channel closed";

  device->Channel().SetIsOpen(1);
  device->Channel().SetUpdateInProgress(1);
  tile->ScheduleLinkCheck(2000);
  tile->RefreshPower();
  EXPECT_TRUE(Armed(kTimerLinkWatch));
  EXPECT_FALSE(Armed(kTimerRefreshStatus)) << "no battery display";
  EXPECT_TRUE(device->Channel().UpdateInProgress());

  DeviceKindData kind;
  kind.hasPowerDisplay = true;
  device->SetKindData(kind);
  tile->RefreshPower();
  EXPECT_TRUE(Armed(kTimerRefreshStatus));
  EXPECT_TRUE(device->Channel().UpdateInProgress()) << "only the updater's end or the device leaving clears it";
  device->Channel().SetIsOpen(0);
}

TEST_F(TileTimers, ShowDisconnectedTellsTheOwnerTheLinkIsLost) {
  tile->ShowDisconnected();
  Bind();
  DeviceKindData kind;
  kind.kindRowIndex = 2;
  device->SetKindData(kind);
  tile->ShowDisconnected();
  EXPECT_TRUE(messages.empty()) << "a device without an owner window tells nobody";
  device->SetOwnerWindow(*window);
  tile->ShowDisconnected();
  EXPECT_EQ(messages, (std::vector<SentMessage>{{WM_DEVICE_LINK_STATE, 2, 0}}));
}

// ---- with the virtual mouse ----

namespace {

DeviceEntry MouseCableSlot(CSimulation& sim) {
  DeviceEntry entry;
  for (const SupportedDevice& row : kSupportedDevices) {
    if (row.DeviceKind == kDeviceKindMouse && row.InterfaceRole == kInterfaceRoleCommand) {
      static_cast<SupportedDevice&>(entry) = row;
    }
  }
  entry.DevicePath = sim.Backend().CommandPathOf(*sim.Mouse());
  entry.Connected = 1;
  return entry;
}

}  // namespace

TEST(TileWithMouse, TheTilesTimersReadTheVirtualMouse) {
  std::string error;
  std::unique_ptr<CSimulation> sim = CreateSimulation("mouse", &error);
  ASSERT_TRUE(sim) << error;
  UseShippedSkin();
  RegisterDeviceSelectorControls();
  std::vector<SentMessage> messages;
  // Declared after the simulation: the page and its device go first.
  auto window = std::make_unique<CTestWindow>(kStripWindow);
  RecordOwnMessages(*window, messages);
  ASSERT_NE(window->CreateHidden(), nullptr);
  CPaintManagerUI& manager = window->Manager();

  const DeviceEntry slot = MouseCableSlot(*sim);
  const DeviceCreation created = CreateDeviceFromLayouts(manager, sim->Backend(), slot, *window);
  ASSERT_NE(created.device, nullptr);
  // The read keeps the mouse's profile in a folder of the test's own.
  TempDataFolder data;
  created.device->SetDeviceFolder(data.MakeFolder("T640/mouse") + "/");
  static_cast<CContainerUI*>(manager.FindControl("device_power_switch"))->Add(created.power);
  static_cast<CContainerUI*>(manager.FindControl("device_switch"))->Add(created.device);
  CDialogBuilder builder;
  auto* tile = static_cast<CDeviceOptionUI*>(builder.Create(kTileLayout, nullptr, nullptr, &manager));
  ASSERT_NE(tile, nullptr);
  static_cast<CContainerUI*>(manager.FindControl("device_select_layout"))->Add(tile);
  tile->SetDevice(created.device);
  created.device->SetTile(tile);

  ASSERT_TRUE(created.device->AttachCommandInterface(slot, slot));
  EXPECT_TRUE(tile->IsTileShown());
  EXPECT_TRUE(manager.HasTimer(tile, kTimerReadAll)) << "the link watch the device started";
  tile->StartTileTimer(kTimerReadAll, 1);
  const SentMessage read{WM_USB_MAINMESS_DEVICE_IS_INITUI, 1, 0};
  EXPECT_TRUE(PumpUntil([&] { return std::find(messages.begin(), messages.end(), read) != messages.end(); }, 5000))
      << "the mouse was read and its information accepted";
  EXPECT_FALSE(manager.HasTimer(tile, kTimerReadAll)) << "the read runs once";
  EXPECT_TRUE(manager.HasTimer(tile, kTimerPushLightPreview)) << "the device re-armed its preview through the tile";
  EXPECT_TRUE(manager.HasTimer(tile, kTimerRefreshStatus));

  DestroyWindow(*window);
  window.reset();
}
