#pragma once

#include <QList>
#include <QMap>
#include <QString>

// How one event code is shown: its text, its row colours and how its additional parameter reads.
// Plain value type; a code the description file does not list is shown with the defaults below.
struct EvDesc
{
    qint32 code = 0;
    QString bgColor = QStringLiteral("White");
    QString fgColor = QStringLiteral("Black");
    QString desc;
    bool addDesc = true;
    QString addDescPrefix;
    QString addDescPostfix;
    bool addDescUseDesc = false;
    QMap<qint32, QString> addDescDesc; // parameter value -> name shown instead of the number

    // The additional parameter as the log shows it: empty when hidden, else prefix, value or its name,
    // postfix, each separated by one space.
    QString addParamText(int value) const;

    bool operator==(const EvDesc &other) const;
    bool operator!=(const EvDesc &other) const { return !(*this == other); }
};

using EvDescList = QList<EvDesc>;

// The codes a description may take: its own code first, then every code from 1 to 255 that no
// record of the list uses, ascending.
QList<int> offeredEvCodes(int ownCode, const EvDescList &evDescList);
