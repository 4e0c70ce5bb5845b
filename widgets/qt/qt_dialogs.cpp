// The Qt backend's modal dialogs, the shell and the clipboard.
#include <algorithm>

#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QUrl>

#include "runtime/platform/files.h"
#include "widgets/backend_codes.h"
#include "widgets/qt/cp1251.h"
#include "widgets/qt/qt_backend.h"
#include "widgets/qt/qt_controls.h"

namespace widgets {

namespace {

// File names go to the file system as they come, so they are converted with its encoding.
QString FileName(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(platform::NativePath(path)));
}

// "Text File|*.txt|All Files|*.*" -> "Text File (*.txt)", "All Files (*)"; `descriptions`
// gets "Text File", "All Files".
QStringList NameFilters(const std::string& filter, QStringList* descriptions = nullptr) {
  const QStringList parts = DecodeText(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (descriptions) *descriptions << parts[i].trimmed();
    QStringList patterns;
    for (QString pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      pattern = pattern.trimmed();
      if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");  // every name, dotted or not
      if (!pattern.isEmpty()) patterns << pattern;
    }
    if (patterns.isEmpty()) patterns << QStringLiteral("*");
    filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return filters;
}

QMessageBox::Icon IconOf(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButton ButtonOf(MessageAnswer answer) {
  switch (answer) {
    case MessageAnswer::Cancel: return QMessageBox::Cancel;
    case MessageAnswer::Abort: return QMessageBox::Abort;
    case MessageAnswer::Retry: return QMessageBox::Retry;
    case MessageAnswer::Ignore: return QMessageBox::Ignore;
    case MessageAnswer::Yes: return QMessageBox::Yes;
    case MessageAnswer::No: return QMessageBox::No;
    default: return QMessageBox::Ok;
  }
}

}  // namespace

std::optional<FileDialogAnswer> QtBackend::RunFileDialog(const FileDialogRequest& request) {
  QFileDialog dialog(Widget(MainWindowControl()), DecodeText(request.title));
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);  // descriptions shown as written
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  QStringList descriptions;
  const QStringList filters = NameFilters(request.filter, &descriptions);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(request.filter_index, filters.first()));
  }
  if (!request.start_dir.empty()) dialog.setDirectory(FileName(request.start_dir));
  if (!request.initial_name.empty()) dialog.selectFile(FileName(request.initial_name));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty() || chosen.first().isEmpty()) return std::nullopt;
  // The dialog names its filter as shown, that is by the description alone.
  const QString in_use = dialog.selectedNameFilter();
  qsizetype filter_index = filters.indexOf(in_use);
  if (filter_index < 0) filter_index = descriptions.indexOf(in_use.trimmed());
  return FileDialogAnswer{QFile::encodeName(chosen.first()).toStdString(), std::max(0, int(filter_index))};
}

MessageAnswer QtBackend::ShowMessageBox(ControlId owner, const std::string& text, const std::string& caption,
                                        MessageButtons buttons, MessageIcon icon) {
  const std::vector<MessageAnswer> answers = ButtonsOf(buttons);
  QMessageBox::StandardButtons shown_buttons;
  for (MessageAnswer answer : answers) shown_buttons |= ButtonOf(answer);
  qtimpl::MessageBoxWidget box(IconOf(icon), DecodeText(caption), DecodeText(text), shown_buttons, Widget(owner));
  box.setTextFormat(Qt::PlainText);
  // The default button: the first of OK, Yes, Retry and Abort that the box has.
  for (MessageAnswer first : {MessageAnswer::Ok, MessageAnswer::Yes, MessageAnswer::Retry, MessageAnswer::Abort}) {
    if (shown_buttons & ButtonOf(first)) {
      box.setDefaultButton(ButtonOf(first));
      break;
    }
  }
  box.exec();
  const QMessageBox::StandardButton pressed = box.standardButton(box.clickedButton());
  for (MessageAnswer answer : answers) {
    if (pressed == ButtonOf(answer)) return answer;
  }
  return MessageAnswer::Cancel;  // a box closed with Esc or its close button
}

QUrl DocumentUrl(const std::string& target) {
  const QString text = DecodeText(target).trimmed();
  if (text.isEmpty()) return {};
  static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
  const QString native = FileName(target);
  if (!QFileInfo::exists(native)) {
    if (scheme.match(text).hasMatch()) return QUrl(text, QUrl::TolerantMode);
    if (text.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) {
      return QUrl(QStringLiteral("http://") + text, QUrl::TolerantMode);
    }
  }
  return QUrl::fromLocalFile(QFileInfo(native).absoluteFilePath());
}

void QtBackend::OpenDocument(const std::string& target) {
  const QUrl url = DocumentUrl(target);
  if (url.isValid()) QDesktopServices::openUrl(url);  // no shell: nothing in the text is interpreted
}

std::string QtBackend::ClipboardText() { return EncodeTyped(QGuiApplication::clipboard()->text()); }

}  // namespace widgets
