#include "ui/toolkit/file_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QTimer>
#include <string>

#include "ui/toolkit/qt_translations.h"
#include "ui/toolkit/resource_manager.h"
#include "ui_test_environment.h"

namespace {

// The shipped language files, beside the skin of the program.
std::string ShippedLanguage(const char* file) { return FixturePath("../../../DefaultData/") + file; }

// What the chooser showed while it was open; the test then cancels it.
struct SeenChooser {
  std::string title;
  std::string accept;
  std::string reject;
  std::string fileName;
  std::string filter;
};

SeenChooser OpenAndCancel(FileDialogRequest::Mode mode, const char* filterLabel) {
  SeenChooser seen;
  QTimer::singleShot(0, [&seen] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* dialog = qobject_cast<QFileDialog*>(widget);
      if (!dialog || !dialog->isVisible()) continue;
      seen = {dialog->windowTitle().toStdString(), dialog->labelText(QFileDialog::Accept).toStdString(),
              dialog->labelText(QFileDialog::Reject).toStdString(),
              dialog->labelText(QFileDialog::FileName).toStdString(),
              dialog->nameFilters().value(0).toStdString()};
      dialog->reject();
    }
  });
  FileDialogRequest request;
  request.mode = mode;
  request.filterLabel = filterLabel;
  request.extension = "json";
  EXPECT_EQ(ShowFileDialog(nullptr, request), std::nullopt);
  return seen;
}

class FileDialogLanguage : public testing::Test {
 protected:
  void UseLanguage(const char* name, const char* file) {
    ASSERT_TRUE(resources->LoadLanguage(ShippedLanguage(file).c_str())) << file;
    resources->SetLanguage(name);
  }
  void TearDown() override {
    resources->SetLanguage("");
    resources->ResetTextMap();
  }
  CResourceManager* resources = CResourceManager::GetInstance();
};

}  // namespace

TEST_F(FileDialogLanguage, TheChoosersWordsFollowTheInterfaceLanguage) {
  struct Case {
    const char* language;
    const char* file;
    FileDialogRequest::Mode mode;
    const char* filterLabel;
    SeenChooser expected;
  };
  const Case cases[] = {
      {"zh-CN", "lan_cn.xml", FileDialogRequest::Mode::kOpen, "Profile Files(*.json)",
       {"打开文件", "打开", "取消", "文件名：", "配置文件(*.json)"}},
      {"zh-CN", "lan_cn.xml", FileDialogRequest::Mode::kSave, "Profile Files(*.json)",
       {"另存为", "保存", "取消", "文件名：", "配置文件(*.json)"}},
      {"en-US", "lan_en.xml", FileDialogRequest::Mode::kOpen, "Profile Files(*.json)",
       {"Open a file", "Open", "Cancel", "File name:", "Profile Files(*.json)"}},
      // A label the language file has no words for is shown as written.
      {"zh-CN", "lan_cn.xml", FileDialogRequest::Mode::kOpen, "Other Files(*.xyz)",
       {"打开文件", "打开", "取消", "文件名：", "Other Files(*.xyz)"}},
  };
  for (const Case& test : cases) {
    UseLanguage(test.language, test.file);
    const SeenChooser seen = OpenAndCancel(test.mode, test.filterLabel);
    EXPECT_EQ(seen.title, test.expected.title) << test.language;
    EXPECT_EQ(seen.accept, test.expected.accept) << test.language;
    EXPECT_EQ(seen.reject, test.expected.reject) << test.language;
    EXPECT_EQ(seen.fileName, test.expected.fileName) << test.language;
    EXPECT_EQ(seen.filter, test.expected.filter) << test.language;
  }
}

// The chooser's other texts (columns, tool tips, the overwrite question) are Qt's own: Chinese
// where Qt's translation is installed (Debian's qt6-translations-l10n), English otherwise, and
// English again when the interface goes back to English.
TEST_F(FileDialogLanguage, QtsOwnTextsFollowTheLanguageWhereQtShipsATranslation) {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  const bool shipped = QFile::exists(folder + "/qtbase_zh_CN.qm");
  UseLanguage("zh-CN", "lan_cn.xml");
  EXPECT_EQ(!QtTranslationInUse().IsEmpty(), shipped) << folder.toStdString();
  const std::string detailView = QCoreApplication::translate("QFileDialog", "Detail View").toStdString();
  if (shipped) {
    EXPECT_NE(detailView, "Detail View") << "Qt's file chooser speaks Chinese";
  } else {
    EXPECT_EQ(detailView, "Detail View");
  }
  UseLanguage("en-US", "lan_en.xml");
  EXPECT_TRUE(QtTranslationInUse().IsEmpty());
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Detail View").toStdString(), "Detail View");
}
