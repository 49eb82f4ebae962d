#pragma once

#include "evdesc.h"
#include "evdescfile.h"

#include <QMap>
#include <QObject>

// The event descriptions of one language, read from its description file. Each user (the log,
// the editor) owns its own instance; only the file is shared.
class EventDesc : public QObject
{
    Q_OBJECT

public:
    explicit EventDesc(const QString &language, QObject *parent = nullptr);

    // Re-reads the file. The map is emptied first; the version changes only when the marker matched.
    bool load();

    QString language() const { return m_language; }
    int version() const { return m_version; }
    bool isLoaded() const { return m_report.isLoaded(); }
    // What the last load found wrong, and the file it read.
    const EvDescFile::ReadReport &readReport() const { return m_report; }
    QString path() const { return m_path; }

    // The record of the code's low 8 bits, or the default record.
    EvDesc description(int code) const;
    // Every record in ascending key order.
    EvDescList descriptions() const;

private:
    const QString m_language;
    int m_version = 0;
    EvDescFile::ReadReport m_report;
    QString m_path;
    QMap<int, EvDesc> m_descriptions;
};
