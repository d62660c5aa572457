#pragma once
#include <json/json.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/storage/damaged_file.h"

// "color_option_info.config": the colour window's twenty preset colours and twenty collected
// colours, with the slot chosen last of each. The user copy lives in the user folder; the factory
// copy in the default-data folder is shipped and only read, and is where a user copy starts from.
//
//   {"coloroptioninfo": {
//      "palletDialogcoloroption": [{"color": "FFRRGGBB"}, …20],
//      "palletDialogcoloroption_selectitem": 4,
//      "palletDialogcollectcoloroption": [{"color": "FFRRGGBB", "UserData": "1"}, …20],
//      "palletDialogcollectcoloroption_selectitem": 0}}
inline constexpr int kColourOptionSlots = 20;
// A collected slot whose user data is this holds a colour of the user's; any other text is empty.
inline constexpr std::string_view kCollectedSlotFilled = "1";

// Eight upper-case hexadecimal digits, AARRGGBB.
std::string ColourText(uint32_t argb);
// One to eight hexadecimal digits and nothing else; nothing for any other text.
std::optional<uint32_t> ParseColourText(std::string_view text);

struct CollectedColour {
  uint32_t colour = 0;
  std::string userData;
  bool Filled() const { return userData == kCollectedSlotFilled; }
};

class CColourOptionFile {
 public:
  CColourOptionFile(std::string userPath, std::string factoryPath);

  // Reads the user copy. When it is missing, empty or damaged, the factory copy is read and written
  // as the user copy (a damaged user copy is first kept aside, see Notices). A user copy that
  // exists but cannot be read is left alone. False when neither copy holds a document: the
  // window then works from its layout alone, and the first save makes the user copy.
  bool Load();

  // Slot i of the collected colours as the file has it; nothing when the entry has no readable
  // "color" (the slot then keeps the layout's look).
  std::optional<CollectedColour> Collected(int slot) const;
  bool HasCollectedSelection() const;

  // Each writes its part into the document and the whole document to the user copy, atomically.
  // A slot left out (nothing) keeps what the file has for it. False when the file was not written.
  bool SavePresets(const std::array<std::optional<uint32_t>, kColourOptionSlots>& colours, int selected);
  bool SaveCollected(const std::array<std::optional<CollectedColour>, kColourOptionSlots>& slots, int selected);

  const Json::Value& Document() const { return document_; }
  const std::string& UserPath() const { return userPath_; }
  // Damaged user copies kept aside so far.
  const std::vector<DamagedFileNotice>& Notices() const { return notices_; }

 private:
  // The document's own object, made into the expected shape where a hand edit broke it.
  Json::Value& Info();
  Json::Value& SlotEntry(const char* arrayKey, int slot);
  bool Write();

  std::string userPath_;
  std::string factoryPath_;
  Json::Value document_;
  std::vector<DamagedFileNotice> notices_;
};
