#include "gui/gui_text.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <optional>

namespace quorvex {

namespace {

// The text decoded, or nothing when it is not valid in that encoding.
std::optional<QString> Decoded(QStringDecoder::Encoding encoding, QByteArrayView bytes) {
  QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
  QString text = decoder.decode(bytes);
  if (decoder.hasError()) return std::nullopt;
  return text;
}

}  // namespace

QString FromBytes(std::string_view bytes) {
  const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
#ifdef _WIN32
  // The core's file names and messages are UTF-8 there, and the system's
  // encoding is the ANSI code page, which form texts are in.
  if (std::optional<QString> text = Decoded(QStringDecoder::Utf8, view)) return *text;
#endif
  return Decoded(QStringDecoder::System, view).value_or(QString::fromLatin1(view));
}

QString LinesText(const TextList& lines) {
  std::string joined;
  for (const auto& line : lines) joined.append(line).push_back('\n');
  return FromBytes(joined);
}

QString MemoText(std::string_view bytes) { return LinesText(SplitLines(bytes)); }

// The core takes file names in UTF-8 on Windows, where QFile's 8-bit
// encoding is the ANSI code page, which cannot spell every name.
#ifdef _WIN32
std::string PathBytes(const QString& path) { return path.toStdString(); }

QString PathText(const std::string& path) { return QString::fromStdString(path); }
#else
std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString PathText(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
#endif

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
