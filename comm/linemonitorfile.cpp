#include "linemonitorfile.h"

#include "csvfield.h"
#include "linerecordtext.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <QStringList>
#include <QTextCodec>
#include <QVector>

#include <functional>

using namespace LineRecordText;

namespace LineMonitorFile {

namespace {

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(LineMonitor)
};

const QChar lineEnd = QLatin1Char('\n');

QString fileCell(const LineRecord &record, int column)
{
    return column == ColumnTime ? dateTime(record) : cell(record, column);
}

// Every line of the file, header first, as its fields.
void forEachLine(const LineRecordList &records, const std::function<void(const QStringList &)> &line)
{
    QStringList fields;
    for (int column = 0; column < ColumnCount; ++column)
        fields << header(column);
    line(fields);
    for (const LineRecord &record : records) {
        fields.clear();
        for (int column = 0; column < ColumnCount; ++column)
            fields << fileCell(record, column);
        line(fields);
    }
}

} // namespace

QString csv(const LineRecordList &records)
{
    QString result;
    forEachLine(records, [&result](const QStringList &fields) {
        for (int column = 0; column < fields.size(); ++column) {
            if (column > 0)
                result += QLatin1Char(';');
            result += csvField(fields.at(column));
        }
        result += lineEnd;
    });
    return result;
}

QString text(const LineRecordList &records)
{
    QVector<int> widths(ColumnCount, 0);
    forEachLine(records, [&widths](const QStringList &fields) {
        for (int column = 0; column < fields.size(); ++column)
            widths[column] = qMax(widths.at(column), fields.at(column).size());
    });
    QString result;
    forEachLine(records, [&result, &widths](const QStringList &fields) {
        QString line;
        for (int column = 0; column < fields.size(); ++column) {
            if (column > 0)
                line += QStringLiteral("  ");
            line += fields.at(column).leftJustified(widths.at(column));
        }
        // The answer, last, ends without padding.
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        result += line + lineEnd;
    });
    return result;
}

QString save(const QString &fileName, const LineRecordList &records)
{
    const bool isCsv = fileName.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
    QTextCodec *codec = QTextCodec::codecForName(isCsv ? "Windows-1251" : "UTF-8");
    if (!codec)
        return Tr::tr("нет кодировки");
    const QByteArray bytes = codec->fromUnicode(isCsv ? csv(records) : text(records));
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

} // namespace LineMonitorFile
