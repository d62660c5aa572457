#pragma once
#include <json/json.h>

#include <cstdint>
#include <string>
#include <vector>

#include "profiles/recoil/recoil_table.h"
#include "profiles/storage/damaged_file.h"

// The four recoil table files of a mouse: the user's copies in the device's data folder, and the
// factory copies shipped in the program's "DefaultData" folder. Every write replaces a file
// atomically; a user copy that cannot be read is never overwritten unseen.
class CRecoilFiles {
 public:
  // Both folders end with '/'.
  CRecoilFiles(std::string userFolder, std::string factoryFolder);

  std::string UserPath(int gun) const;
  std::string FactoryPath(int gun) const;

  // Each user copy that is missing, empty or damaged becomes the factory copy; a damaged one is
  // kept aside first (its notice is appended). A copy that exists but cannot be opened is left.
  void RepairUserTables(std::vector<DamagedFileNotice>& notices);

  // The factory copy of `gun` over the user's, byte for byte. False (nothing changed) when the
  // factory copy cannot be read or the user's cannot be written.
  bool ResetGun(int gun);

  enum class ImportResult { kImported, kUnreadable, kRefused, kWriteFailed };
  // The file at `path` becomes the user copy of `gun` when it is a recoil table (CheckRecoilTable);
  // otherwise nothing changes. `detail` says why it was refused.
  ImportResult ImportGun(int gun, const std::string& path, std::string* detail = nullptr);

  // The user copy of `gun`, byte for byte, to `path`. False when it cannot be read or written.
  bool ExportGun(int gun, const std::string& path) const;

  // The user copy of `gun` as a document; null when it cannot be read.
  Json::Value LoadTable(int gun) const;

  // Writes one bullet into the user copy of `gun`. False (the file unchanged) when the copy exists
  // but cannot be read as a document, or cannot be written.
  bool SaveBullet(int gun, int bullet, const RecoilBullet& values);

  // The device image of the four tables, gun 0 first, in the macro image layout.
  enum class ImageStatus { kReady, kTableUnreadable, kTableTooLong };
  struct Image {
    ImageStatus status = ImageStatus::kReady;
    int gun = -1;  // the table that stopped it
    std::vector<uint8_t> bytes;
  };
  Image BuildImage() const;

 private:
  std::string userFolder_;
  std::string factoryFolder_;
};
