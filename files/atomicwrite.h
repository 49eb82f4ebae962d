#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file with the bytes through a temporary file that takes its place only when complete,
// so a failed write leaves the old file as it was. The file is opened in text mode (platform line
// ends). On failure `error`, when given, receives the reason.
bool atomicWrite(const QString &fileName, const QByteArray &bytes, QString *error = nullptr);
