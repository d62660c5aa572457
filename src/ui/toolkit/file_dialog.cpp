#include "ui/toolkit/file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>
#include <mutex>
#include <utility>

#include "ui/toolkit/native_window.h"

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
  dialog.setNameFilter(QString::fromStdString(request.filterLabel));
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
