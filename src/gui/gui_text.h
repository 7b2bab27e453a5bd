#pragma once
// Texts the windows show: the core's 8-bit text made readable, file names
// passed to the core, and the fixed rules for box titles, box texts and the
// time in front of a report line.

#include <QLocale>
#include <QString>
#include <QTime>
#include <string>
#include <string_view>

#include "base/text_list.h"

namespace quorvex {

// 8-bit text from the core (paths, messages, form texts) for display: decoded
// in the system's encoding (on Windows UTF-8 first), or byte for byte as
// Latin-1 when it is not valid there (form texts are in the form's own code
// page). Display only: the core
// always keeps the bytes.
QString FromBytes(std::string_view bytes);

// A text list for a pane: FromBytes of its lines, each followed by a line
// break (as the list is saved, so the pane ends with an empty line).
QString LinesText(const TextList& lines);

// A memo text for a pane: its lines (split at CR LF, a lone CR or a lone LF)
// as LinesText shows them.
QString MemoText(std::string_view bytes);

// A file name as the core takes it (the file system's 8-bit encoding; UTF-8
// on Windows), and back.
std::string PathBytes(const QString& path);
QString PathText(const std::string& path);

// The title of every message box: the program file's name without its
// directory, cut before its first ".", its first character as it is and the
// rest in lower case ("/usr/bin/Quorvex.bin" gives "Quorvex").
QString ApplicationTitle(const QString& program_path);

// The text of an error box: the message with a "." added, unless it is empty
// or already ends in a character with a code of 46 or less ("." or a blank).
QString ErrorBoxText(const QString& message);

// The time in front of a report line: `locale`'s long time format without
// its time-zone field ("14:03:27" in most locales, "2:03:27 PM" in en_US).
// The default locale is the user's unless the program has set another.
QString ReportTimeText(const QTime& time, const QLocale& locale = QLocale());

}  // namespace quorvex
