#include "reportdocuments.h"

#include <QtTest>

class TestReportDocuments : public QObject
{
    Q_OBJECT

private slots:
    void protocolHeader_data();
    void protocolHeader();
    void protocolFooter();
    void fileNamesFromTheChosenName_data();
    void fileNamesFromTheChosenName();
};

namespace {

QString spaces(int count)
{
    return QString(count, QLatin1Char(' '));
}

const QLocale russian(QLocale::Russian, QLocale::Russia);
const QLocale english(QLocale::English, QLocale::UnitedKingdom);

} // namespace

void TestReportDocuments::protocolHeader_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("rynAddr");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("dateLine");
    const QString latinA = QStringLiteral("a");
    QTest::addRow("1-march") << QDate(2024, 3, 1) << russian << 5 << QStringLiteral("3 – 14")
                             << QStringLiteral("«<u>1</u>» <u> март") + latinA +
                                    QStringLiteral(" </u> <u> 2024 </u>");
    QTest::addRow("1-august") << QDate(2023, 8, 1) << russian << 1 << QStringLiteral("4 – 17")
                              << QStringLiteral("«<u>1</u>» <u> август") + latinA +
                                     QStringLiteral(" </u> <u> 2023 </u>");
    QTest::addRow("january") << QDate(2025, 1, 15) << russian << 8 << QString()
                             << QStringLiteral("«<u>15</u>» <u> января </u> <u> 2025 </u>");
    QTest::addRow("may") << QDate(2025, 5, 9) << russian << 2 << QStringLiteral("3 – 15")
                         << QStringLiteral("«<u>9</u>» <u> мая </u> <u> 2025 </u>");
    QTest::addRow("september") << QDate(2024, 9, 30) << russian << 3 << QStringLiteral("3 – 15")
                               << QStringLiteral("«<u>30</u>» <u> сентября </u> <u> 2024 </u>");
    QTest::addRow("december") << QDate(2024, 12, 31) << russian << 3 << QStringLiteral("3 – 15")
                              << QStringLiteral("«<u>31</u>» <u> декабря </u> <u> 2024 </u>");
    // Outside Russian the month is named as the locale names it, unchanged.
    QTest::addRow("english-march") << QDate(2024, 3, 1) << english << 5 << QStringLiteral("3 – 14")
                                   << QStringLiteral("«<u>1</u>» <u> March </u> <u> 2024 </u>");
    // Texts that look like placeholders stay as they are.
    QTest::addRow("version-with-percent") << QDate(2024, 6, 2) << russian << 4 << QStringLiteral("%1 – %5")
                                          << QStringLiteral("«<u>2</u>» <u> июня </u> <u> 2024 </u>");
}

void TestReportDocuments::protocolHeader()
{
    QFETCH(QDate, date);
    QFETCH(QLocale, locale);
    QFETCH(int, rynAddr);
    QFETCH(QString, version);
    QFETCH(QString, dateLine);
    const QString expected =
        QStringLiteral("<center><div style=\"width: 21cm; height: 29.7cm\"><center><pre>Протокол \n"
                       "заключительного обследования RYN</pre></center>\n"
                       "<pre style=\"text-align: end;\">") +
        dateLine + QStringLiteral("</pre>\n") +
        QStringLiteral(
            "<pre style=\"text-align: start;\">Характеристика объекта (тип (склад, паркинг, ТЦ и т.д), "
            "адрес) <u>") +
        spaces(38) + QStringLiteral("\n") + spaces(101) + QStringLiteral("</u></pre>\n") +
        QStringLiteral("<pre style=\"text-align: start;\">Адрес Torv: <u>") + spaces(3) +
        QStringLiteral("</u>") + spaces(4) + QStringLiteral("Адрес RYN: <u> %1 </u>").arg(rynAddr) +
        spaces(4) + QStringLiteral("Версия RYN: <u> ") + version + QStringLiteral(" </u></pre>\n");
    QCOMPARE(ReportDocuments::protocolHeader(date, locale, rynAddr, version), expected);
}

void TestReportDocuments::protocolFooter()
{
    const QString signature = QStringLiteral("<tr><td><pre>Подпись <u>") + spaces(16) +
                              QStringLiteral("</u></pre></td><td><pre>Подпись <u>") + spaces(16) +
                              QStringLiteral("</u></pre></td></tr>");
    const QString surname = QStringLiteral("<tr><td><pre>Фамилия <u>") + spaces(40) +
                            QStringLiteral("</u></pre></td><td><pre>Фамилия <u>") + spaces(40) +
                            QStringLiteral("</u></pre></td></tr>");
    const QStringList lines{
        QStringLiteral("</div></center><center><div style=\"width: 21cm; height: 29.7cm\"><pre "
                       "style=\"page-break-before: always; text-align: start\">") +
            QChar(0x00B9) + QLatin1Char(' ') + QChar(0x2013) +
            QStringLiteral(
                " учитываются все АУ в том числе незапрограммированные или АУ с двойными адресами "),
        QString(QChar(0x00B2)) + QLatin1Char(' ') + QChar(0x2013) +
            QStringLiteral(
                " указывается время (часы), в течение которого происходило наблюдение, время должно быть "),
        QStringLiteral("не менее одного часа. Перед наблюдением необходимо сбросить RYN."),
        QString(),
        QStringLiteral("Выявленные неисправности АУ и СЛИ, <b>рекомендации по устранению</b>:</pre>"),
        QStringLiteral("<table style=\"width:100%; height:70%\" border=1 cellspacing=0 cellpadding=4>"),
        QStringLiteral("<tr><td></td></tr>"),
        QStringLiteral("</table>"),
        QStringLiteral("<br>"),
        QStringLiteral("<table cellspacing=8 cellpadding=4>"),
        QStringLiteral("<tr><td><center>Представитель ГК «Ostrel»</center></td><td><center>Представитель "
                       "заказчика</center></td></tr>"),
        signature,
        surname,
        QStringLiteral("<tr><td><pre>Должность <u>") + spaces(38),
        spaces(48) + QStringLiteral("</u>") + spaces(8) +
            QStringLiteral("</pre></td><td><pre>Должность <u>") + spaces(38),
        spaces(48) + QStringLiteral("</u>") + spaces(8) + QStringLiteral("</pre></td></tr>"),
        QStringLiteral("</table>"),
        QStringLiteral("</div></center>"),
    };
    // The superscripts refer to the protocol table's notes; the dashes are en dashes; no final line end.
    QCOMPARE(ReportDocuments::protocolFooter().split(QLatin1Char('\n')), lines);
    QVERIFY(!ReportDocuments::protocolFooter().endsWith(QLatin1Char('\n')));
}

void TestReportDocuments::fileNamesFromTheChosenName_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("fileTemplate");
    QTest::addColumn<QString>("fileOfController3");
    const int report = ReportDocuments::Report;
    const int protocol = ReportDocuments::Protocol;
    QTest::addRow("report") << report << "/d/R.csv"
                            << "/d/R"
                            << "/d/R 3.csv";
    QTest::addRow("cut-at-first-csv") << report << "/d/R.csv.old.csv"
                                      << "/d/R"
                                      << "/d/R 3.csv";
    QTest::addRow("no-extension") << report << "/d/R"
                                  << "/d/R"
                                  << "/d/R 3.csv";
    QTest::addRow("case-sensitive") << report << "/d/R.CSV"
                                    << "/d/R.CSV"
                                    << "/d/R.CSV 3.csv";
    // A folder name is never cut: the documents go where the user chose.
    QTest::addRow("folder-named-csv") << report << "/d/x.csv/R.csv"
                                      << "/d/x.csv/R"
                                      << "/d/x.csv/R 3.csv";
    QTest::addRow("protocol-htm") << protocol << "/d/P.htm"
                                  << "/d/P"
                                  << "/d/P 3.htm";
    QTest::addRow("protocol-html") << protocol << "/d/P.html"
                                   << "/d/P"
                                   << "/d/P 3.htm";
    QTest::addRow("protocol-keeps-csv") << protocol << "/d/P.csv"
                                        << "/d/P.csv"
                                        << "/d/P.csv 3.htm";
}

void TestReportDocuments::fileNamesFromTheChosenName()
{
    QFETCH(int, kind);
    QFETCH(QString, chosen);
    QFETCH(QString, fileTemplate);
    QFETCH(QString, fileOfController3);
    const auto documentKind = ReportDocuments::Kind(kind);
    QCOMPARE(ReportDocuments::templateFromChosenName(chosen, documentKind), fileTemplate);
    QCOMPARE(ReportDocuments::fileName(fileTemplate, 3, documentKind), fileOfController3);
}

QTEST_MAIN(TestReportDocuments)
#include "tst_reportdocuments.moc"
