#include "csvfield.h"

QString csvField(const QString &text)
{
    const QChar quote = QLatin1Char('"');
    if (!text.contains(QLatin1Char(';')) && !text.contains(quote) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(quote, QStringLiteral("\"\""));
    return quote + quoted + quote;
}
