#include "evdesc.h"

#include <QVector>

QString EvDesc::addParamText(int value) const
{
    if (!addDesc)
        return QString();
    const QString name = addDescUseDesc ? addDescDesc.value(value) : QString();
    const QString prefix = addDescPrefix.isEmpty() ? QString() : addDescPrefix + QLatin1Char(' ');
    const QString valueText = name.isEmpty() ? QString::number(value) : name;
    return QString(prefix + valueText + QLatin1Char(' ') + addDescPostfix).trimmed();
}

bool EvDesc::operator==(const EvDesc &other) const
{
    return code == other.code && bgColor == other.bgColor && fgColor == other.fgColor && desc == other.desc &&
           addDesc == other.addDesc && addDescPrefix == other.addDescPrefix &&
           addDescPostfix == other.addDescPostfix && addDescUseDesc == other.addDescUseDesc &&
           addDescDesc == other.addDescDesc;
}

QList<int> offeredEvCodes(int ownCode, const EvDescList &evDescList)
{
    QVector<bool> used(256, false);
    for (const EvDesc &evDesc : evDescList) {
        if (evDesc.code >= 0 && evDesc.code <= 255)
            used[evDesc.code] = true;
    }
    QList<int> codes{ownCode};
    for (int code = 1; code <= 255; ++code) {
        if (!used[code] && code != ownCode)
            codes << code;
    }
    return codes;
}
