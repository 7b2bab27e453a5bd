#pragma once
// The rules of the main window's two fields: what Edit1 shows for a choice of
// files, which output directory a choice proposes, and which files a drop or
// the command line stands for (and which of its names cannot be opened).

#include <QString>
#include <QStringList>

namespace quorvex {

// Every file's name without its directory, each followed by one space
// ("a.scx b.scx ").
QString FileListText(const QStringList& paths);

// The directory of `first_path`, a delimiter, its name without extension and
// a trailing delimiter: /forms/main.scx proposes /forms/main/, /main.scx
// proposes /main/ (native delimiters).
QString ProposedOutputDirectory(const QString& first_path);

// `directory` with a trailing delimiter, added when it has none.
QString WithTrailingSeparator(const QString& directory);

// `directory` without its trailing delimiters (a root stays as it is).
QString WithoutTrailingSeparator(const QString& directory);

// True for the name of a FoxPro project file: extension .pjx, any letter case.
bool IsProjectFile(const QString& path);

// What dropped paths or command-line arguments stand for, as full paths: each
// existing file whose extension is .scx or .pjx (any letter case), and for
// each folder the .scx files directly in it, sorted by path. Anything else is
// passed over.
QStringList InputFilesFor(const QStringList& paths);

// Why each of `paths` that names nothing to open cannot be opened, in order:
// "Cannot open PATH: no such file or folder" or "Cannot open PATH: not
// readable" (native delimiters). What can be opened gives nothing, whatever
// it holds.
QStringList OpenFailures(const QStringList& paths);

}  // namespace quorvex
