#include "tools/t640ctl/mouse_read.h"

#include "transport/result_codes.h"

namespace {

class MouseReader {
 public:
  MouseReader(CUsbCommandChannel& channel, MouseReadResult& out) : channel_(channel), out_(out) {}

  // Runs one step; records the first failure and tells the caller to stop.
  bool Step(const char* name, int code) {
    if (code == kResultSuccess) return true;
    out_.result = code;
    out_.failedStep = name;
    return false;
  }

  bool Linked() {
    if (channel_.Hid2_4GDeviceIsLink()) return true;
    return Step("Hid2_4GDeviceIsLink", kResultNotLinked);
  }

  void Run() {
    if (!Linked() || !Step("BeginConfig", channel_.BeginConfig()) ||
        !Step("ReadDeviceInfo", channel_.ReadDeviceInfo(out_.info.data())) ||
        !Step("EndConfig", channel_.EndConfig())) {
      return;
    }
    out_.haveInfo = true;

    const uint32_t imageSize = 3u * out_.info[5];
    if (!Linked() || !Step("BeginConfig", channel_.BeginConfig()) ||
        !Step("SetConfigSize", channel_.SetConfigSize(static_cast<uint16_t>(imageSize > 0xFFFF ? 0xFFFF : imageSize)))) {
      return;
    }
    out_.configImage.assign(imageSize, 0);
    if (!Step("ReadConfigImage", channel_.ReadConfigImage(out_.configImage.data())) ||
        !Step("EndConfig", channel_.EndConfig())) {
      out_.configImage.clear();
      return;
    }

    uint8_t profile = 0;
    if (!Linked() || !Step("ReadSettings", channel_.ReadSettings(&profile, 1, 0))) return;
    out_.activeProfile = profile;
    std::vector<uint8_t> page(kMouseSettingsPageSize, 0);
    if (!Linked() ||
        !Step("ReadSettings", channel_.ReadSettings(page.data(), kMouseSettingsPageSize,
                                                    kMouseSettingsPageStride * profile))) {
      return;
    }
    out_.settingsPage = std::move(page);
    out_.result = kResultSuccess;
  }

 private:
  CUsbCommandChannel& channel_;
  MouseReadResult& out_;
};

}  // namespace

MouseReadResult ReadMouseForDiagnosis(CUsbCommandChannel& channel) {
  MouseReadResult result;
  MouseReader(channel, result).Run();
  return result;
}
