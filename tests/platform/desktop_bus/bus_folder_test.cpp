// Where the bus folder is, the checks that keep other users out of it, and the window records.
#include "platform/desktop_bus/bus_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

#include "platform/desktop_bus/window_directory.h"
#include "tests/platform/desktop_bus/bus_test_support.h"

namespace {

// Sets (or, with nullopt, removes) one environment variable for the life of the object.
class CScopedEnv {
 public:
  CScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  ~CScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  lstat(path.c_str(), &info);
  return info.st_mode & 07777;
}

TEST(DesktopBusFolder, PathComesFromTheOverrideTheRuntimeFolderOrTmp) {
  CTempBusFolder runtime;
  const std::string tmpFallback = "/tmp/t640-bus-" + std::to_string(geteuid());
  struct Case {
    const char* what;
    std::optional<std::string> busDir;
    std::optional<std::string> runtimeDir;
    std::string expected;
  };
  const Case cases[] = {
      {"override wins", "/somewhere/bus", runtime.Path(), "/somewhere/bus"},
      {"runtime folder", std::nullopt, runtime.Path(), runtime.Path() + "/t640-bus"},
      {"runtime folder with a trailing slash", std::nullopt, runtime.Path() + "/", runtime.Path() + "/t640-bus"},
      {"empty override is ignored", "", runtime.Path(), runtime.Path() + "/t640-bus"},
      {"no runtime folder", std::nullopt, std::nullopt, tmpFallback},
      {"relative runtime folder", std::nullopt, "run/user", tmpFallback},
      {"missing runtime folder", std::nullopt, runtime.Path() + "/missing", tmpFallback},
  };
  for (const Case& c : cases) {
    CScopedEnv busDir("T640_BUS_DIR", c.busDir);
    CScopedEnv runtimeDir("XDG_RUNTIME_DIR", c.runtimeDir);
    EXPECT_EQ(DesktopBusFolderPath(), c.expected) << c.what;
  }
}

TEST(DesktopBusFolder, IsCreatedPrivateAndRefusedWhenNotPrivateOrNotOurs) {
  CTempBusFolder parent;
  const std::string base = parent.Path() + "/";
  mkdir((base + "open").c_str(), 0700);
  chmod((base + "open").c_str(), 0755);
  mkdir((base + "private").c_str(), 0700);
  symlink((base + "private").c_str(), (base + "link").c_str());
  std::ofstream(base + "file") << "x";
  mkdir((base + "foreign").c_str(), 0700);
  const bool canChown = chown((base + "foreign").c_str(), 65534, 65534) == 0;

  struct Case {
    const char* folder;
    bool usable;
    const char* reasonMentions;
  };
  const Case cases[] = {
      {"fresh", true, ""},
      {"private", true, ""},
      {"open", false, "mode 0755"},
      {"link", false, "symbolic link"},
      {"file", false, "not a folder"},
      {"missing/inner", false, "cannot create"},
      {"foreign", !canChown, canChown ? "belongs to user 65534" : ""},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_EQ(PrepareDesktopBusFolder(base + c.folder, error), c.usable) << c.folder;
    EXPECT_NE(error.find(c.reasonMentions), std::string::npos) << c.folder << ": " << error;
  }
  EXPECT_EQ(ModeOf(base + "fresh"), 0700u);
  EXPECT_EQ(ModeOf(base + "open"), 0755u) << "a refused folder is left as it is";
}

TEST(DesktopBusFolder, FreshFolderIsPrivateWhateverTheUmask) {
  CTempBusFolder parent;
  const mode_t previous = umask(0777);
  std::string error;
  const bool usable = PrepareDesktopBusFolder(parent.Path() + "/bus", error);
  umask(previous);
  EXPECT_TRUE(usable) << error;
  EXPECT_EQ(ModeOf(parent.Path() + "/bus"), 0700u);
}

TEST(WindowRecord, KeepsAnyClassAndTitleThroughTheFile) {
  const BusWindow windows[] = {
      {"1-1-0", "MainWnd", "T640"},
      {"1-2-0", "", ""},
      {"1-3-0", "a%b\nc\td", "line one\r\nline two\x7F"},
      {"1-4-0", "\xE6\xB6\x88\xE6\x81\xAF", "title with spaces  "},
  };
  for (const BusWindow& window : windows) {
    BusWindow decoded;
    ASSERT_TRUE(DecodeWindowRecord(EncodeWindowRecord(window), decoded)) << window.address;
    EXPECT_EQ(decoded.className, window.className);
    EXPECT_EQ(decoded.title, window.title);
  }
  EXPECT_EQ(EncodeWindowRecord({"1-1-0", "a\nb", "50%"}), "t640-bus-window 1\nclass a%0Ab\ntitle 50%25\n");
}

TEST(WindowRecord, GarbledRecordsAreRejected) {
  const char* const garbled[] = {
      "",
      "t640-bus-window 2\nclass a\ntitle b\n",
      "t640-bus-window 1\nclass a\n",
      "t640-bus-window 1\ntitle b\nclass a\n",
      "t640-bus-window 1\nclass a\ntitle b",
      "t640-bus-window 1\nclass a\ntitle b\nextra\n",
      "t640-bus-window 1\nclass a%4\ntitle b\n",
      "t640-bus-window 1\nclass a%zz\ntitle b\n",
      "t640-bus-window 1\nclass %FF\ntitle b\n",
  };
  for (const char* text : garbled) {
    BusWindow window;
    EXPECT_FALSE(DecodeWindowRecord(text, window)) << text;
  }
}

TEST(WindowRecord, LockNamesCannotLeaveTheFolder) {
  EXPECT_EQ(PercentEscape("Kestrune T640", true), "Kestrune T640");
  EXPECT_EQ(PercentEscape("../up", true), "%2E.%2Fup");
  EXPECT_EQ(PercentEscape("a/b", false), "a/b");
}

}  // namespace
