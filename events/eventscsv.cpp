#include "eventscsv.h"

#include "atomicwrite.h"
#include "csvfield.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QStringList>
#include <QTextCodec>

namespace EventsCsv {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(EventsWidget)
};

const QString dateTimeFormat = QStringLiteral("dd.MM.yyyy hh:mm:ss");
} // namespace

QString valueText(const QVariant &value)
{
    switch (value.userType()) {
    case QMetaType::QDateTime:
        return value.toDateTime().toString(dateTimeFormat);
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    default:
        return value.toString();
    }
}

QString text(const QAbstractItemModel &model, const QVector<int> &columns, const QString &filterSummary,
             const QDateTime &createdAt)
{
    const QChar separator = QLatin1Char(';');
    const QChar lineEnd = QLatin1Char('\n');
    QString result;
    result += csvField(filterSummary) + lineEnd;
    result += csvField(Tr::tr("Дата формирования отчёта: ") + createdAt.toString(dateTimeFormat)) + lineEnd +
              lineEnd;

    QStringList fields;
    for (int column : columns)
        fields << csvField(model.headerData(column, Qt::Horizontal).toString());
    result += fields.join(separator) + lineEnd;

    const int rows = model.rowCount();
    result.reserve(result.size() + rows * 80);
    for (int row = 0; row < rows; ++row) {
        bool first = true;
        for (int column : columns) {
            if (!first)
                result += separator;
            first = false;
            result += csvField(valueText(model.index(row, column).data()));
        }
        result += lineEnd;
    }
    return result;
}

bool write(const QString &fileName, const QString &text)
{
    QTextCodec *codec = QTextCodec::codecForName("Windows-1251");
    return codec && atomicWrite(fileName, codec->fromUnicode(text));
}

} // namespace EventsCsv
