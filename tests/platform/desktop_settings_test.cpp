#include "platform/desktop_settings.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/temp_data_folder.h"

namespace {

void MakeFile(const std::string& path, mode_t mode) {
  std::ofstream(path) << "#!/bin/sh\n";
  ASSERT_EQ(chmod(path.c_str(), mode), 0);
}

class ScopedPath {
 public:
  explicit ScopedPath(const std::string& value) : old_(getenv("PATH") ? getenv("PATH") : "") {
    setenv("PATH", value.c_str(), 1);
  }
  ~ScopedPath() { setenv("PATH", old_.c_str(), 1); }

 private:
  std::string old_;
};

// Only a regular executable file counts, the first folder of PATH first.
TEST(DesktopSettings, TheSettingsProgramIsTheFirstExecutableOnPath) {
  const TempDataFolder temp;
  const std::string a = temp.MakeFolder("a"), b = temp.MakeFolder("b"), c = temp.MakeFolder("c");
  std::filesystem::create_directory(a + "/gnome-control-center");     // a folder of that name
  MakeFile(b + "/gnome-control-center", 0644);                         // not executable
  MakeFile(c + "/xfce4-mouse-settings", 0755);
  {
    ScopedPath path(a + ":" + b + "::" + c);
    const std::optional<DesktopSettingsProgram> found = FindMouseSettingsProgram();
    ASSERT_TRUE(found);
    EXPECT_EQ(found->path, c + "/xfce4-mouse-settings");
    EXPECT_TRUE(found->arguments.empty());
    EXPECT_EQ(FindOnPath("../c/xfce4-mouse-settings"), "") << "a name, never a path";
  }
  MakeFile(c + "/gnome-control-center", 0755);
  {
    ScopedPath path(a + ":" + c);
    const std::optional<DesktopSettingsProgram> found = FindMouseSettingsProgram();
    ASSERT_TRUE(found);
    EXPECT_EQ(found->path, c + "/gnome-control-center");
    EXPECT_EQ(found->arguments, std::vector<std::string>{"mouse"});
  }
  ScopedPath none(a);
  EXPECT_FALSE(FindMouseSettingsProgram());
}

}  // namespace
