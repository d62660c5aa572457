#include "platform/log_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <thread>
#include <vector>

#include "support/temp_data_folder.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace

TEST(LogFile, WritesNothingWhenItsFolderIsMissing) {
  TempDataFolder data;
  testing::internal::CaptureStderr();
  WriteLogLine("Hid2_4GDeviceIsLink>0xAA    false");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "unable to open log file\n");
  EXPECT_FALSE(std::filesystem::exists(data.Path() + "/R318PX-DOV"));
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
