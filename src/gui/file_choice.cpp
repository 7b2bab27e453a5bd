#include "gui/file_choice.h"

#include <QDir>
#include <QFileInfo>

namespace quorvex {

namespace {

bool IsSeparator(QChar c) { return c == u'/' || c == QDir::separator(); }

bool IsScxFile(const QFileInfo& info) {
  return info.isFile() && info.suffix().compare(QLatin1String("scx"), Qt::CaseInsensitive) == 0;
}

}  // namespace

QString FileListText(const QStringList& paths) {
  QString text;
  for (const QString& path : paths) text += QFileInfo(path).fileName() + u' ';
  return text;
}

QString ProposedOutputDirectory(const QString& first_path) {
  const QFileInfo info(first_path);
  return WithTrailingSeparator(QDir::toNativeSeparators(QDir(info.absolutePath()).filePath(info.completeBaseName())));
}

QString WithTrailingSeparator(const QString& directory) {
  if (!directory.isEmpty() && IsSeparator(directory.back())) return directory;
  return directory + QDir::separator();
}

QString WithoutTrailingSeparator(const QString& directory) {
  QString text = directory;
  while (text.size() > 1 && IsSeparator(text.back())) text.chop(1);
  return text;
}

bool IsProjectFile(const QString& path) {
  return QFileInfo(path).suffix().compare(QLatin1String("pjx"), Qt::CaseInsensitive) == 0;
}

QStringList InputFilesFor(const QStringList& paths) {
  QStringList files;
  for (const QString& path : paths) {
    const QFileInfo info(path);
    if (info.isDir()) {
      QStringList found;
      for (const QFileInfo& entry : QDir(path).entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (IsScxFile(entry)) found << entry.absoluteFilePath();
      }
      found.sort();
      files << found;
    } else if (IsScxFile(info) || (info.isFile() && IsProjectFile(path))) {
      files << info.absoluteFilePath();
    }
  }
  return files;
}

QStringList OpenFailures(const QStringList& paths) {
  QStringList failures;
  for (const QString& path : paths) {
    const QFileInfo info(path);
    const QString name = QStringLiteral("Cannot open ") + QDir::toNativeSeparators(path);
    if (!info.exists()) {
      failures << name + QStringLiteral(": no such file or folder");
    } else if (!info.isReadable()) {
      failures << name + QStringLiteral(": not readable");
    }
  }
  return failures;
}

}  // namespace quorvex
