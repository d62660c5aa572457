#include "platform/log_file.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <thread>
#include <vector>

#include "platform/debug_output.h"
#include "support/temp_data_folder.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace

// A log that cannot be written is silent: a fresh home has no log folder, and every device
// read would otherwise print a line. Only with the trace on does the first failure leave one note
// (standard error with T640_TRACE=1), however many lines and threads follow.
TEST(LogFile, AnUnwritableLogIsSilentAndNotedOnceOnlyWithTheTraceOn) {
  struct Case {
    const char* name;
    const char* trace;         // T640_TRACE, or null for unset
    bool logFolderExists;      // "R318PX-DOV"
    bool logFileIsAFolder;     // the file cannot be opened although its folder exists
    size_t notes;              // lines on standard error
  };
  const Case cases[] = {
      {"fresh home", nullptr, false, false, 0},
      {"fresh home, trace on", "1", false, false, 1},
      {"unopenable file", nullptr, true, true, 0},
      {"unopenable file, trace on", "1", true, true, 1},
  };
  for (const Case& test : cases) {
    TempDataFolder data;
    if (test.logFolderExists) data.MakeFolder("R318PX-DOV");
    if (test.logFileIsAFolder) data.MakeFolder("R318PX-DOV/Zorbel.log");
    if (test.trace) setenv("T640_TRACE", test.trace, 1);
    ReloadDebugOutputTarget();
    CLogFile log;
    testing::internal::CaptureStderr();
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t) {
      writers.emplace_back([&log] {
        for (int i = 0; i < 5; ++i) log.WriteLine("ReadDeviceData>WM_USB_MAINMESS_DEVICE_IS_INITUI    1");
      });
    }
    for (auto& writer : writers) writer.join();
    const std::string text = testing::internal::GetCapturedStderr();
    unsetenv("T640_TRACE");
    ReloadDebugOutputTarget();
    const std::vector<std::string> notes = Lines(text);
    EXPECT_EQ(notes.size(), test.notes) << test.name << ": " << text;
    for (const std::string& note : notes) {
      EXPECT_TRUE(note.starts_with("unable to open log file " + data.Path())) << test.name << ": " << note;
    }
    EXPECT_EQ(std::filesystem::exists(data.Path() + "/R318PX-DOV"), test.logFolderExists)
        << test.name << ": the log never creates its folder";
  }
}

TEST(LogFile, AppendsTimeStampedLinesEndingInLineFeed) {
  TempDataFolder data;
  data.MakeFolder("R318PX-DOV");
  WriteLogLine("Open>pNoDeviceLinkLyout    true");
  WriteLogLine("Open>pNoDeviceLinkLyout    false");
  std::string text = data.ReadFile("R318PX-DOV/Zorbel.log");
  EXPECT_EQ(text.find('\r'), std::string::npos);
  auto lines = Lines(text);
  ASSERT_EQ(lines.size(), 2u);
  std::regex stamp(R"(\d{4}-\d{2}-\d{2}-\d{2}-\d{2}-\d{2}:Open>pNoDeviceLinkLyout    (true|false))");
  EXPECT_TRUE(std::regex_match(lines[0], stamp)) << lines[0];
  EXPECT_TRUE(lines[1].ends_with(":Open>pNoDeviceLinkLyout    false"));
}

TEST(LogFile, RestartsOnlyOnceTheFileHasGrownPastTheLimit) {
  TempDataFolder data;
  data.MakeFolder("R318PX-DOV");
  const std::string path = data.Path() + "/R318PX-DOV/Zorbel.log";
  std::filesystem::resize_file((std::ofstream(path), path), kLogFileLimitBytes);

  WriteLogLine("first");  // exactly at the limit: appended to
  EXPECT_GT(std::filesystem::file_size(path), static_cast<uintmax_t>(kLogFileLimitBytes));
  WriteLogLine("second");  // past the limit: a fresh file with only this line
  auto lines = Lines(data.ReadFile("R318PX-DOV/Zorbel.log"));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_TRUE(lines[0].ends_with(":second"));
}

TEST(LogFile, LinesFromConcurrentWritersStayWhole) {
  TempDataFolder data;
  data.MakeFolder("R318PX-DOV");
  std::vector<std::thread> writers;
  for (int t = 0; t < 4; ++t) {
    writers.emplace_back([t] {
      for (int i = 0; i < 50; ++i) WriteLogLine("writer " + std::to_string(t) + std::string(200, 'x'));
    });
  }
  for (auto& writer : writers) writer.join();
  auto lines = Lines(data.ReadFile("R318PX-DOV/Zorbel.log"));
  ASSERT_EQ(lines.size(), 200u);
  std::regex whole(R"(.{20}writer [0-3]x{200})");
  for (const auto& line : lines) EXPECT_TRUE(std::regex_match(line, whole)) << line;
}
