#pragma once
#include <json/json.h>

#include <string>
#include <vector>

#include "profiles/records/key_assignment.h"
#include "profiles/records/lighting_records.h"
#include "profiles/storage/damaged_file.h"

// How the last LoadProfile or LoadDefaultData went.
enum class ProfileLoadOutcome {
  kNotLoaded,
  kLoaded,             // the file held the device object
  kFilledFromDefaults,  // the file was missing, empty, damaged or lacked the object: the factory object was copied in
  kNoData,              // neither the file nor the default-data file had it: every read gives zeros
};

struct ProfileLoadReport {
  ProfileLoadOutcome outcome = ProfileLoadOutcome::kNotLoaded;
  bool written = false;  // the file was rewritten from the defaults
};

// A device's profile data: the JSON device object of its current profile and of its factory
// defaults, and the records the device classes and editors read from them and write back. Reads
// decode from the objects held in memory; writes change only those objects; only the Save
// operations and the default-data fallback of a load touch the disk. Used on one thread (the
// device's owner); it takes no locks.
class CBasicProfiledata {
 public:
  CBasicProfiledata() = default;
  virtual ~CBasicProfiledata() = default;
  CBasicProfiledata(const CBasicProfiledata&) = delete;
  CBasicProfiledata& operator=(const CBasicProfiledata&) = delete;

  // The four operations every kind shares. Each returns false when a file could not be written
  // (the old file is then unchanged).
  virtual bool SaveProfile();
  virtual bool SaveDeviceObject(const Json::Value& object, const std::string& path);
  virtual bool SaveDefaultData(const std::string& path);
  virtual bool WriteJsonFile(const Json::Value& document, const std::string& path);

  // Setters ignore an empty text.
  void SetProfilePath(const std::string& path);
  const std::string& GetProfilePath() const { return profilePath_; }
  // The list name and id of the profile file. A write of the profile file that finds them missing
  // (a file rebuilt after damage, or never stamped) puts them back, so every profile file can be
  // exported and imported again. An empty id stamps nothing.
  void SetProfileIdentity(const std::string& name, const std::string& id);
  void SetDefaultDataPath(const std::string& path);
  const std::string& GetDefaultDataPath() const { return defaultDataPath_; }
  void SetLightConfigPath(const std::string& path);
  const std::string& GetLightConfigPath() const { return lightConfigPath_; }
  void SetDeviceIndex(int index);
  int GetDeviceIndex() const { return static_cast<int>(deviceIndex_); }

  // The device's entry in the per-device arrays of the light configuration file (its icon index:
  // keyboard 0, mouse 1, mouse pad 2, headset 3), and how many lighting modes are built in; a
  // selected mode at or past that count is a custom effect from the light configuration.
  void SetLightIndex(int index);
  void SetBuiltInLightModeCount(int count);

  // Loads the device object from `path`; when the file lacks it, copies it from the default-data
  // file and writes the result to `path`. Returns a copy of the object (null when neither has it).
  Json::Value LoadProfile(const std::string& path);
  // The same into the default-data slot.
  Json::Value LoadDefaultData(const std::string& path);
  const ProfileLoadReport& LastLoadReport() const { return lastLoad_; }
  // Loads and keeps the whole light configuration document (null when missing or damaged).
  const Json::Value& LoadLightConfig(const std::string& path);

  // Files found damaged and kept aside since the last call, for the user to be told.
  std::vector<DamagedFileNotice> TakeDamagedFileNotices();

  const Json::Value& DeviceObject() const { return current_; }
  const Json::Value& DefaultDeviceObject() const { return default_; }
  // Replaces the held device object, for a document that was read elsewhere (an import, a copy).
  void SetDeviceObject(const Json::Value& object);

  // Lighting.
  LightInfoRecord ReadLightInfo();
  void WriteLightInfo(uint32_t word0, uint32_t word1, uint32_t word2, uint16_t half3);
  void WriteLightInfo(const LightInfoRecord& record);
  // What ReadLightInfo gives when the profile has no "LightInfo" (zero unless a device sets it).
  void SetFallbackLightInfo(const LightInfoRecord& record) { fallbackLightInfo_ = record; }
  AudioLightRecord ReadAudioLightInfo();
  void WriteAudioLightInfo(uint32_t word0, uint32_t word1, uint8_t flag);
  std::vector<LightListEntry> ReadLightList();
  // The steps of the selected custom effect; empty for a built-in mode. Uses the LightInfo record
  // of the last ReadLightInfo or WriteLightInfo.
  std::vector<LightEffectStep> ReadLightEffects();

  // Key assignments: index i of the list is element i of "KeyList".
  std::vector<KeyAssignmentPair> ReadKeyList();
  void WriteKeyList(const std::vector<KeyAssignmentPair>& pairs);
  std::vector<KeyAssignmentPair> ReadDefaultKeyList();
  void WriteDefaultKeyList(const std::vector<KeyAssignmentPair>& pairs);

 protected:
  // The held device object for editing; it becomes an empty object when it was null.
  Json::Value& EditableDeviceObject();
  Json::Value& EditableDefaultObject();

 private:
  Json::Value LoadInto(const std::string& path, Json::Value& slot);
  void StampIdentity(Json::Value& document, const std::string& path) const;

  std::string profilePath_;
  std::string profileName_;
  std::string profileId_;
  std::string defaultDataPath_;
  std::string lightConfigPath_;
  Json::ArrayIndex deviceIndex_ = 0;
  int lightIndex_ = 0;
  int builtInLightModes_ = 0;

  Json::Value current_;
  Json::Value default_;
  Json::Value lightConfig_;
  ProfileLoadReport lastLoad_;
  std::vector<DamagedFileNotice> damagedFiles_;

  LightInfoRecord lightInfo_;
  LightInfoRecord fallbackLightInfo_;
  AudioLightRecord audioLight_;
  std::vector<LightListEntry> lightList_;
  std::vector<LightEffectStep> lightEffects_;
  std::vector<KeyAssignmentPair> keyList_;
  std::vector<KeyAssignmentPair> defaultKeyList_;
};
