// Where the shipped data is looked for: the override alone, else the installed layout, the
// executable's folder and the build's source tree, in that order.

#include "platform/program_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

namespace {

TEST(ProgramFolderTest, CandidatesFollowTheExecutablesPlace) {
  struct Case {
    const char* override;
    const char* executable;
    const char* sourceTree;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"", "/usr/bin/t640", "/src/t640/", {"/usr/share/t640/", "/usr/bin/", "/src/t640/"}},
      {"", "/tmp/root/usr/bin/t640ctl", "", {"/tmp/root/usr/share/t640/", "/tmp/root/usr/bin/"}},
      {"", "/src/t640/build/src/shell/t640", "/src/t640",
       {"/src/t640/build/src/share/t640/", "/src/t640/build/src/shell/", "/src/t640/"}},
      {"/data/t640", "/usr/bin/t640", "/src/t640/", {"/data/t640/"}},
      {"", "", "/src/t640/", {"/src/t640/"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProgramFolderCandidatesFor(c.override, c.executable, c.sourceTree), c.expected) << c.executable;
  }
}

TEST(ProgramFolderTest, TheFirstPlaceThatHoldsTheDataWinsAndNoneNamesTheFirst) {
  const std::vector<std::string> candidates = {"/usr/share/t640/", "/usr/bin/", "/src/t640/"};
  auto holding = [](std::set<std::string> places) {
    return [places](const std::string& folder) { return places.count(folder) > 0; };
  };
  EXPECT_EQ(ChooseProgramFolder(candidates, holding({"/usr/bin/", "/src/t640/"})), "/usr/bin/");
  EXPECT_EQ(ChooseProgramFolder(candidates, holding({"/src/t640/"})), "/src/t640/");
  EXPECT_EQ(ChooseProgramFolder(candidates, holding({})), "/usr/share/t640/");
  EXPECT_EQ(ChooseProgramFolder({}, holding({})), "");
}

}  // namespace
