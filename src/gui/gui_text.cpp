#include "gui/gui_text.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace quorvex {

QString FromBytes(std::string_view bytes) {
  QStringDecoder decoder(QStringDecoder::System, QStringDecoder::Flag::Stateless);
  const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QString text = decoder.decode(view);
  if (decoder.hasError()) return QString::fromLatin1(view);
  return text;
}

QString LinesText(const TextList& lines) {
  std::string joined;
  for (const auto& line : lines) joined.append(line).push_back('\n');
  return FromBytes(joined);
}

QString MemoText(std::string_view bytes) { return LinesText(SplitLines(bytes)); }

std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString PathText(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

QString ApplicationTitle(const QString& program_path) {
  QString name = QFileInfo(program_path).fileName();
  const qsizetype dot = name.indexOf(u'.');
  if (dot >= 0) name.truncate(dot);
  if (name.isEmpty()) return name;
  return name.left(1) + name.mid(1).toLower();
}

QString ErrorBoxText(const QString& message) {
  if (message.isEmpty() || message.back().unicode() <= u'.') return message;
  return message + u'.';
}

// The zone field ("t", "tt", ...) is dropped: a report line needs only the
// time of day, and the zone's long name would take half the line.
QString ReportTimeText(const QTime& time, const QLocale& locale) {
  const QString format = locale.timeFormat(QLocale::LongFormat);
  QString kept;
  bool quoted = false;
  for (const QChar c : format) {
    if (c == u'\'') quoted = !quoted;
    if (quoted || c != u't') kept += c;
  }
  return locale.toString(time, kept.simplified());
}

}  // namespace quorvex
