// What a background picture of the user's own must be: a PNG that decodes completely and is not
// so large that drawing it would hold hundreds of megabytes.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/temp_data_folder.h"
#include "ui/toolkit/picture_file_check.h"

namespace {

std::string SavePicture(const std::string& path, int width, int height, const char* format = "PNG") {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(QColor(40, 60, 90));
  EXPECT_TRUE(image.save(QString::fromStdString(path), format)) << path;
  return path;
}

std::string Bytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void Write(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

uint32_t Crc32(const std::string& bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc ^ 0xFFFFFFFFu;
}

void PutBigEndian(std::string& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + static_cast<size_t>(i)] = static_cast<char>(value >> (24 - 8 * i));
}

// A small PNG whose header claims another size (with a valid checksum): only the header is read
// before the size is judged.
std::string PictureClaimingSize(const std::string& path, uint32_t width, uint32_t height) {
  std::string bytes = Bytes(SavePicture(path, 4, 4));
  // Signature (8), then the header chunk: length (4), "IHDR" (4), width, height, 5 more bytes, CRC.
  PutBigEndian(bytes, 16, width);
  PutBigEndian(bytes, 20, height);
  PutBigEndian(bytes, 29, Crc32(bytes.substr(12, 17)));
  Write(path, bytes);
  return path;
}

}  // namespace

TEST(PictureFileCheck, EachKindOfFileGetsItsVerdict) {
  TempDataFolder folder;
  const std::string dir = folder.Path() + "/";
  const std::string truncated = SavePicture(dir + "cut.png", 300, 200);
  Write(truncated, Bytes(truncated).substr(0, Bytes(truncated).size() / 2));
  const std::string padded = SavePicture(dir + "padded.png", 10, 10);
  std::filesystem::resize_file(padded, kLargestPictureFileBytes + 1);
  Write(dir + "text.png", "this is not a picture\n");
  std::filesystem::create_directory(dir + "folder.png");

  struct Case {
    std::string path;
    PictureCheck verdict;
  };
  const Case cases[] = {
      {SavePicture(dir + "wide.png", 1600, 600), PictureCheck::kUsable},
      {SavePicture(dir + "largest.png", kLargestPictureSide, 2), PictureCheck::kUsable},
      {SavePicture(dir + "named_as_png.png", 20, 20, "JPG"), PictureCheck::kNotPng},
      {SavePicture(dir + "picture.bmp", 20, 20, "BMP"), PictureCheck::kNotPng},
      {dir + "text.png", PictureCheck::kNotPng},
      {truncated, PictureCheck::kDamaged},
      {SavePicture(dir + "too_wide.png", kLargestPictureSide + 1, 2), PictureCheck::kTooLarge},
      {PictureClaimingSize(dir + "too_high.png", 10, kLargestPictureSide + 1), PictureCheck::kTooLarge},
      {PictureClaimingSize(dir + "too_many_pixels.png", 6000, 6000), PictureCheck::kTooLarge},
      {padded, PictureCheck::kTooLarge},
      {dir + "missing.png", PictureCheck::kUnreadable},
      {dir + "folder.png", PictureCheck::kUnreadable},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(static_cast<int>(CheckBackgroundPicture(test.path).verdict), static_cast<int>(test.verdict))
        << test.path;
  }
  const PictureCheckResult wide = CheckBackgroundPicture(dir + "wide.png");
  EXPECT_EQ(wide.width, 1600);
  EXPECT_EQ(wide.height, 600);
}
