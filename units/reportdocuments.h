#pragma once

#include <QCoreApplication>
#include <QDate>
#include <QLocale>
#include <QString>

// The texts of a controller's documents that do not come from its tables: the inspection protocol's
// header and footer, the month name they are dated with, and the file names made from the user's
// templates. Pure functions; the date and the locale are arguments.
class ReportDocuments
{
    Q_DECLARE_TR_FUNCTIONS(ReportDocuments)

public:
    enum Kind
    {
        Report = 0,   // the CSV state report
        Protocol = 1, // the HTML inspection protocol
    };

    // The month of the date in full. In a Russian locale in the form that follows a day number
    // ("1 марта"), otherwise as the locale names the month on its own.
    static QString genitiveMonthName(const QDate &date, const QLocale &locale);

    // The protocol's first lines: the day, month and year of the date, the controller address and
    // its version as the information table shows it. Ends with a line feed.
    static QString protocolHeader(const QDate &date, const QLocale &locale, int rynAddr,
                                  const QString &version);
    // The footnotes, the box for the faults found and the signature block, on a page of their own.
    static QString protocolFooter();

    // ".csv" or ".htm".
    static QString extension(Kind kind);
    // The template kept from the name picked in the file dialog: the name up to the first extension
    // of the kind (case-sensitive). Only the file's own name is cut, never a folder above it; a name
    // without the extension is kept whole.
    static QString templateFromChosenName(const QString &chosenName, Kind kind);
    // "<template> <address>.csv" or "<template> <address>.htm".
    static QString fileName(const QString &fileNameTemplate, int rynAddr, Kind kind);
};
