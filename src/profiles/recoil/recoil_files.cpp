#include "profiles/recoil/recoil_files.h"

#include "platform/debug_output.h"
#include "profiles/macros/macro_image.h"
#include "profiles/storage/atomic_file.h"
#include "profiles/storage/json_access.h"
#include "profiles/storage/json_file.h"

namespace {

bool ReadWhole(const std::string& path, std::string& bytes) {
  return ReadTextFile(path, kMaxRecoilTableFileBytes, bytes) == JsonFileState::kLoaded &&
         bytes.size() <= kMaxRecoilTableFileBytes;
}

}  // namespace

CRecoilFiles::CRecoilFiles(std::string userFolder, std::string factoryFolder)
    : userFolder_(std::move(userFolder)), factoryFolder_(std::move(factoryFolder)) {}

std::string CRecoilFiles::UserPath(int gun) const { return userFolder_ + RecoilTableFileName(gun); }
std::string CRecoilFiles::FactoryPath(int gun) const { return factoryFolder_ + RecoilTableFileName(gun); }

void CRecoilFiles::RepairUserTables(std::vector<DamagedFileNotice>& notices) {
  for (int gun = 0; gun < kRecoilGunCount; ++gun) {
    const JsonFileState state = LoadJsonDocument(UserPath(gun)).state;
    if (state == JsonFileState::kLoaded || state == JsonFileState::kUnreadable) continue;
    if (state == JsonFileState::kDamaged) {
      DamagedFileNotice notice;
      if (!KeepDamagedFileAside(UserPath(gun), notice)) continue;
      notices.push_back(notice);
    }
    if (!ResetGun(gun)) OutputDebugString("recoil table " + std::to_string(gun) + ": no factory copy to start from");
  }
}

bool CRecoilFiles::ResetGun(int gun) {
  std::string bytes;
  if (!ReadWhole(FactoryPath(gun), bytes) || bytes.empty()) return false;
  return WriteFileAtomically(UserPath(gun), bytes);
}

CRecoilFiles::ImportResult CRecoilFiles::ImportGun(int gun, const std::string& path, std::string* detail) {
  std::string bytes;
  if (ReadTextFile(path, kMaxRecoilTableFileBytes, bytes) != JsonFileState::kLoaded) return ImportResult::kUnreadable;
  const RecoilTableVerdict verdict = CheckRecoilTableText(bytes);
  if (verdict.check != RecoilTableCheck::kAccepted) {
    if (detail) *detail = verdict.detail;
    return ImportResult::kRefused;
  }
  return WriteFileAtomically(UserPath(gun), bytes) ? ImportResult::kImported : ImportResult::kWriteFailed;
}

bool CRecoilFiles::ExportGun(int gun, const std::string& path) const {
  std::string bytes;
  if (!ReadWhole(UserPath(gun), bytes)) return false;
  return WriteFileAtomically(path, bytes);
}

Json::Value CRecoilFiles::LoadTable(int gun) const { return LoadJsonFile(UserPath(gun)); }

bool CRecoilFiles::SaveBullet(int gun, int bullet, const RecoilBullet& values) {
  JsonFileLoad load = LoadJsonDocument(UserPath(gun));
  // Only a missing or empty copy may be started afresh; anything else unreadable stays as it is.
  if (load.state != JsonFileState::kLoaded && load.state != JsonFileState::kMissing &&
      load.state != JsonFileState::kEmpty) {
    return false;
  }
  WriteRecoilBullet(load.document, bullet, values);
  return WriteJsonFile(load.document, UserPath(gun));
}

CRecoilFiles::Image CRecoilFiles::BuildImage() const {
  Image image;
  std::vector<std::vector<MacroEvent>> records;
  for (int gun = 0; gun < kRecoilGunCount; ++gun) {
    const Json::Value table = LoadTable(gun);
    if (!MemberOf(table, kRecoilEventsKey).isArray()) {
      image.status = ImageStatus::kTableUnreadable;
      image.gun = gun;
      return image;
    }
    records.push_back(RecoilTableEvents(table));
    // The editor shows 30 bullets; events beyond them would be sent unseen.
    if (records.back().size() > kRecoilTableEventCount) {
      image.status = ImageStatus::kTableTooLong;
      image.gun = gun;
      return image;
    }
  }
  if (!EncodeMacroImage(records, image.bytes)) image.status = ImageStatus::kTableTooLong;
  return image;
}
