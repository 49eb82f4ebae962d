#include "atomicwrite.h"

#include <QSaveFile>

bool atomicWrite(const QString &fileName, const QByteArray &bytes, QString *error)
{
    QSaveFile file(fileName);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Text) &&
                         file.write(bytes) == bytes.size() && file.commit();
    if (!written && error)
        *error = file.errorString();
    return written;
}
