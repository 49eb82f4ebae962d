#pragma once

#include "evdesc.h"

#include <QByteArray>
#include <QMap>
#include <QString>

// The event description file: one JSON document per language under "Resources/". The reader is
// tolerant of hand-edited files; the writer produces sorted, indented JSON that diffs cleanly.
namespace EvDescFile {

// The text a description file must carry under "content".
QString marker();

// The file of a language. The suffix is matched without regard to case, so a configured "RU" and
// the lower-case "ru" the writer uses reach the same file; a file that exists under some spelling
// is the one read and replaced.
QString readPath(const QString &language);
// Where a save goes: the existing file of the language, else the suffix in lower case.
QString writePath(const QString &language);
// An installed program cannot write beside itself: the user's copies live under this folder
// ("Resources/" inside it). A saved copy there is read instead of the program's own file, and every
// save goes there. Empty (the default): the files beside the program are read and written.
void setUserDirectory(const QString &directoryPath);

// Reads a document into descriptions keyed by the code's low 8 bits. The version is set only once
// the marker matched; records stored before a bad element stay. False when the document is not
// a description file or an element of "data" is not an object with a "code".
bool parse(const QByteArray &document, int &version, QMap<int, EvDesc> &descriptions);

QByteArray toJson(const EvDescList &descriptions, int version);

// Replaces the file of the language atomically: on any failure the old file stays whole.
bool save(const QString &language, const EvDescList &descriptions, int version);

} // namespace EvDescFile
