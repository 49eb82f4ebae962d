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

// What reading a description file came to, beyond the records it gave.
struct ReadReport
{
    enum Failure
    {
        NoFailure,
        Unreadable,         // missing, or cannot be opened
        NotJson,            // jsonErrorOffset tells where
        NotDescriptionFile, // not an object, the wrong marker, or "data" is not an array
        SkippedRecords,     // everything else was read
    };

    Failure failure = NoFailure;
    int jsonErrorOffset = -1;
    // Bytes that are not UTF-8 became replacement characters; the rest of the text is as it was.
    bool bytesReplaced = false;
    // Elements of "data" that are not a description: not an object, or without an integer "code".
    int skippedRecords = 0;
    int firstSkipped = -1;    // the first of them: its position in "data", from 0
    QString firstSkippedText; // and its text, shortened

    bool isLoaded() const { return failure == NoFailure; }
    // Writing back what was read would drop something the file holds.
    bool saveLosesData() const { return bytesReplaced || skippedRecords > 0; }
};

// Decodes the document as UTF-8 (bytes that are not become replacement characters) and reads it
// into descriptions keyed by the code's low 8 bits. The version is set only once the marker matched.
// An element that is not a description is skipped and the others are read: one bad record costs
// only itself.
ReadReport parse(const QByteArray &document, int &version, QMap<int, EvDesc> &descriptions);

// The report in words for the user (the file named by `path`); empty when there is nothing to say.
QString reportText(const ReadReport &report, const QString &path);

QByteArray toJson(const EvDescList &descriptions, int version);

// Replaces the file of the language atomically: on any failure the old file stays whole.
bool save(const QString &language, const EvDescList &descriptions, int version);

} // namespace EvDescFile
