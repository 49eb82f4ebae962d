#include "reportdocuments.h"

#include <QChar>
#include <QFileInfo>

namespace {

constexpr int march = 3;
constexpr int august = 8;

} // namespace

QString ReportDocuments::genitiveMonthName(const QDate &date, const QLocale &locale)
{
    // Qt's monthName() is already the genitive in Russian; the rule below turns the nominative.
    QString name = locale.standaloneMonthName(date.month(), QLocale::LongFormat);
    if (locale.language() != QLocale::Russian || name.isEmpty())
        return name;
    // March and August take a Latin "a" (the key of the printed form); the others end in "я".
    if (date.month() == march || date.month() == august)
        return name + tr("a", "genitive ending of March and August");
    name.chop(1);
    return name + tr("я", "genitive ending of the other months");
}

QString ReportDocuments::protocolHeader(const QDate &date, const QLocale &locale, int rynAddr,
                                        const QString &version)
{
    const QString header = tr("<center><div style=\"width: 21cm; height: 29.7cm\"><center><pre>Протокол \n"
                              "заключительного обследования RYN</pre></center>\n"
                              "<pre style=\"text-align: end;\">«<u>%1</u>» <u> %2 </u> <u> %3 </u></pre>\n"
                              "<pre style=\"text-align: start;\">Характеристика объекта (тип (склад, "
                              "паркинг, ТЦ и т.д), адрес) <u>                                      \n"
                              "                                                                              "
                              "                       </u></pre>\n"
                              "<pre style=\"text-align: start;\">Адрес Torv: <u>   </u>    Адрес RYN: <u> %4 "
                              "</u>    Версия RYN: <u> %5 </u></pre>\n");
    // One pass: a month name or version text holding "%1" is not taken for a placeholder.
    return header.arg(QString::number(date.day()), genitiveMonthName(date, locale),
                      QString::number(date.year()).rightJustified(4, QLatin1Char('0')),
                      QString::number(rynAddr), version);
}

QString ReportDocuments::protocolFooter()
{
    const QString footer =
        tr("</div></center><center><div style=\"width: 21cm; height: 29.7cm\"><pre "
           "style=\"page-break-before: always; text-align: start\">%1 – учитываются все АУ в том числе "
           "незапрограммированные или АУ с двойными адресами \n"
           "%2 – указывается время (часы), в течение которого происходило наблюдение, время должно быть \n"
           "не менее одного часа. Перед наблюдением необходимо сбросить RYN.\n"
           "\n"
           "Выявленные неисправности АУ и СЛИ, <b>рекомендации по устранению</b>:</pre>\n"
           "<table style=\"width:100%; height:70%\" border=1 cellspacing=0 cellpadding=4>\n"
           "<tr><td></td></tr>\n"
           "</table>\n"
           "<br>\n"
           "<table cellspacing=8 cellpadding=4>\n"
           "<tr><td><center>Представитель ГК «Ostrel»</center></td><td><center>Представитель "
           "заказчика</center></td></tr>\n"
           "<tr><td><pre>Подпись <u>                </u></pre></td><td><pre>Подпись <u>                "
           "</u></pre></td></tr>\n"
           "<tr><td><pre>Фамилия <u>                                        </u></pre></td><td><pre>Фамилия "
           "<u>                                        </u></pre></td></tr>\n"
           "<tr><td><pre>Должность <u>                                      \n"
           "                                                </u>        </pre></td><td><pre>Должность <u>    "
           "                                  \n"
           "                                                </u>        </pre></td></tr>\n"
           "</table>\n"
           "</div></center>");
    return footer.arg(QChar(0x00B9), QChar(0x00B2));
}

QString ReportDocuments::extension(Kind kind)
{
    return kind == Report ? QStringLiteral(".csv") : QStringLiteral(".htm");
}

QString ReportDocuments::templateFromChosenName(const QString &chosenName, Kind kind)
{
    const int nameStart = chosenName.size() - QFileInfo(chosenName).fileName().size();
    const int cut = chosenName.indexOf(extension(kind), nameStart, Qt::CaseSensitive);
    return cut < 0 ? chosenName : chosenName.left(cut);
}

QString ReportDocuments::fileName(const QString &fileNameTemplate, int rynAddr, Kind kind)
{
    return fileNameTemplate + QLatin1Char(' ') + QString::number(rynAddr) + extension(kind);
}
