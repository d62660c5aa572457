#include "ui/toolkit/dui_string.h"

#include <gtest/gtest.h>

TEST(DuiString, FormatsLikePrintf) {
  CDuiString text;
  text.Format("%d%s", 42, "%");
  EXPECT_EQ(text, "42%");
  text.AppendFormat(" R %d", 7);
  EXPECT_EQ(text, "42% R 7");
}

TEST(DuiString, ComparesWithoutCaseIncludingNonAscii) {
  EXPECT_EQ(CDuiString("CloseBtn").CompareNoCase("closebtn"), 0);
  EXPECT_LT(CDuiString("abc").CompareNoCase("ABD"), 0);
  EXPECT_EQ(CDuiString("ÄRGER").CompareNoCase("ärger"), 0);
  EXPECT_NE(CDuiString("key_").CompareNoCase("key"), 0);
}

TEST(DuiString, CutsAndSearchesByteOffsets) {
  CDuiString name("DPI_slider_3");
  int underscore = name.ReverseFind('_');
  EXPECT_EQ(underscore, 10);
  EXPECT_EQ(name.Left(underscore + 1), "DPI_slider_");
  EXPECT_EQ(name.Mid(underscore + 1), "3");
  EXPECT_EQ(name.Right(6), "ider_3");
  EXPECT_EQ(name.Find("slider"), 4);
  EXPECT_EQ(name.Find('x'), -1);
  EXPECT_EQ(name.Mid(50), "");
  EXPECT_EQ(name.Left(-1), "");
  EXPECT_EQ(name.GetLength(), 12);
  EXPECT_EQ(CDuiString("温度").GetLength(), 6);  // bytes of UTF-8
}

TEST(DuiString, ReplacesEveryOccurrenceAndCountsThem) {
  CDuiString path("XML\\DeviceXml\\mousedevice.xml");
  EXPECT_EQ(path.Replace("\\", "/"), 2);
  EXPECT_EQ(path, "XML/DeviceXml/mousedevice.xml");
  EXPECT_EQ(path.Replace("", "x"), 0);
}

TEST(DuiString, ChangesCaseAndReportsEmptiness) {
  CDuiString text("MixEd");
  EXPECT_EQ(text.MakeLower(), "mixed");
  EXPECT_EQ(text.MakeUpper(), "MIXED");
  EXPECT_FALSE(text.IsEmpty());
  text.Empty();
  EXPECT_TRUE(text.IsEmpty());
}
