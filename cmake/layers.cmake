# The layers of T640 and which may include which. Includes run downwards only:
#
#   platform ← {transport, profiles, ui} ← devices ← editors ← windows ← shell
#
# with sim/, tools/ and benchmarks/ above what they use, and tests/ mirroring src/. A file belongs
# to the component whose folder is the longest prefix of its path; an include belongs to the
# component whose folder is the longest prefix of "src/<include>" or "<include>". Each row is
# "name folder allowed-components…" (a component may always include itself).
set(T640_LAYERS
  "platform src/platform"
  "transport src/transport platform"
  "profiles src/profiles platform"
  "ui src/ui platform"
  # The lighting preview and the mouse's blocks are pure computation; the mouse's driver, its model
  # and the profile write over both (shared by the device class and the tools) have no toolkit code.
  "lighting src/devices/lighting profiles platform"
  "mouse_image src/devices/mouse profiles platform"
  "mouse_driver src/devices/mouse/driver mouse_image transport profiles platform"
  "mouse_model src/devices/mouse/model mouse_image profiles platform"
  "mouse_profile_write src/devices/mouse/profile_write mouse_image mouse_driver mouse_model transport profiles platform"
  "devices src/devices mouse_page lighting mouse_image mouse_driver mouse_model mouse_profile_write transport profiles ui platform"
  # The mouse's page is part of the device layer, beside the device classes it serves.
  "mouse_page src/devices/mouse/page devices lighting mouse_image mouse_driver mouse_model mouse_profile_write transport profiles ui platform"
  "editors src/editors devices mouse_page lighting mouse_image mouse_driver mouse_model mouse_profile_write transport profiles ui platform"
  "windows src/windows editors devices mouse_page lighting mouse_image mouse_driver mouse_model mouse_profile_write transport profiles ui platform"
  "shell src/shell windows editors devices mouse_page lighting mouse_image mouse_driver mouse_model mouse_profile_write transport profiles ui platform sim"
  "sim sim platform"
  "tools tools shell windows editors devices mouse_page lighting mouse_image mouse_driver mouse_model mouse_profile_write transport profiles ui platform sim"
  "benchmarks benchmarks shell windows editors devices mouse_page lighting mouse_image mouse_driver mouse_model mouse_profile_write transport profiles ui platform sim"
  "fuzz fuzz profiles platform test_support"
  "test_support tests/support sim transport platform"
)

# Test folders may include what their source folder may, the folder itself, the virtual devices
# and the test support; these rows say which source component each mirrors, and what else it may
# use to reach it.
set(T640_TEST_MIRRORS
  "tests/platform platform"
  "tests/transport transport"
  "tests/profiles profiles"
  "tests/ui ui"
  "tests/devices/lighting lighting"
  "tests/devices/mouse mouse_image"
  "tests/devices/mouse/driver mouse_driver"
  "tests/devices/mouse/model mouse_model"
  "tests/devices devices"
  "tests/editors editors"
  "tests/windows windows"
  "tests/shell shell"
  # The virtual devices are tested through the HID port that talks to them.
  "tests/sim sim transport"
  "tests/tools tools"
  "tests/kernel tools"
)
