#include "ui/toolkit/file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>
#include <mutex>
#include <utility>

#include "ui/controls/text_key.h"
#include "ui/toolkit/native_window.h"
#include "ui/toolkit/resource_manager.h"

namespace {

std::mutex& AnswererMutex() {
  static std::mutex mutex;
  return mutex;
}

FileDialogAnswerer& InstalledAnswerer() {
  static FileDialogAnswerer answerer;
  return answerer;
}

// The folder of the last chosen file: the next chooser opens there.
QString& LastFolder() {
  static QString folder = QDir::homePath();
  return folder;
}

QString Text(const char* key) {
  return QString::fromStdString(CResourceManager::GetInstance()->GetText(key).str());
}

// The chooser's own words in the interface language; the rest of its texts (columns, tool tips,
// the overwrite question) are Qt's, translated where Qt ships a translation for the language.
void UseInterfaceLanguage(QFileDialog& dialog, const FileDialogRequest& request) {
  const bool open = request.mode == FileDialogRequest::Mode::kOpen;
  dialog.setWindowTitle(Text(open ? TextKey("filedialog_title_open") : TextKey("filedialog_title_save")));
  dialog.setLabelText(QFileDialog::LookIn, Text(TextKey("filedialog_look_in")));
  dialog.setLabelText(QFileDialog::FileName, Text(TextKey("filedialog_file_name")));
  dialog.setLabelText(QFileDialog::FileType, Text(TextKey("filedialog_file_type")));
  dialog.setLabelText(QFileDialog::Accept, Text(open ? TextKey("filedialog_open") : TextKey("filedialog_save")));
  dialog.setLabelText(QFileDialog::Reject, Text(TextKey("filedialog_cancel")));
}

}  // namespace

void SetFileDialogAnswerer(FileDialogAnswerer answerer) {
  std::lock_guard<std::mutex> lock(AnswererMutex());
  InstalledAnswerer() = std::move(answerer);
}

std::optional<std::string> ShowFileDialog(HWND owner, const FileDialogRequest& request) {
  FileDialogAnswerer answerer;
  {
    std::lock_guard<std::mutex> lock(AnswererMutex());
    answerer = InstalledAnswerer();
  }
  if (answerer) return answerer(request);

  QFileDialog dialog(HostWidgetOf(owner));
  // Qt's own chooser rather than the desktop portal's: its name filters match without regard to
  // case on every desktop, and it behaves the same under every session type.
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setDirectory(LastFolder());
  // The label as written is its own language key: a language file may word it, keeping the
  // pattern in brackets.
  dialog.setNameFilter(Text(request.filterLabel.c_str()));
  UseInterfaceLanguage(dialog, request);
  if (request.mode == FileDialogRequest::Mode::kOpen) {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromStdString(request.extension));
    if (!request.suggestedName.empty()) dialog.selectFile(QString::fromStdString(request.suggestedName));
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  LastFolder() = dialog.directory().absolutePath();
  return files.first().toStdString();
}
