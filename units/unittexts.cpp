#include "unittexts.h"

#include <QCoreApplication>

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(UnitTexts)
};
} // namespace

QString connectionText(int value, bool longForm)
{
    Q_UNUSED(longForm)
    switch (value) {
    case 0:
        return Tr::tr("Норма");
    case 1:
        return Tr::tr("Отключен");
    case 2:
        return Tr::tr("Двойной адрес");
    case 3:
        return Tr::tr("Ошибки приёма");
    case 4:
        return Tr::tr("Не отвечает");
    case 5:
        return Tr::tr("Неверн. тип");
    default:
        return QString();
    }
}

QString ionistorText(int value, bool longForm)
{
    Q_UNUSED(longForm)
    switch (value) {
    case 0:
    case 8:
        return Tr::tr("Норма");
    case 1:
    case 9:
        return Tr::tr("Частично разряж.");
    case 2:
    case 10:
        return Tr::tr("Разряжены");
    case 3:
    case 11:
        return Tr::tr("Неисправны");
    case 4:
    case 12:
        return Tr::tr("Не определено");
    case 5:
        return Tr::tr("Перезаряд");
    default:
        return QString();
    }
}

QString dustinessText(int value, bool longForm)
{
    Q_UNUSED(longForm)
    switch (value) {
    case 0:
        return Tr::tr("Нет");
    case 1:
        return Tr::tr("Критическая");
    case 2:
        return Tr::tr("Предельная");
    default:
        return QString();
    }
}

QString heaterText(int value, bool longForm)
{
    Q_UNUSED(longForm)
    switch (value) {
    case 0:
        return Tr::tr("Норма");
    case 1:
        return Tr::tr("Вскрытие");
    case 2:
        return Tr::tr("Неисправность");
    case 3:
        return Tr::tr("Нагрев");
    case 4:
        return Tr::tr("Не определено");
    case 5:
        return Tr::tr("Обрыв");
    case 6:
        return Tr::tr("КЗ");
    default:
        return QString();
    }
}

QString inputText(int value, bool longForm)
{
    switch (value) {
    case 0:
        return longForm ? Tr::tr("Разомкнут") : Tr::tr("р");
    case 1:
        return longForm ? Tr::tr("Замкнут") : Tr::tr("з");
    case 2:
        return longForm ? Tr::tr("Обрыв") : Tr::tr("о");
    case 3:
        return longForm ? Tr::tr("КЗ") : Tr::tr("к");
    case 4:
        return longForm ? Tr::tr("Не определено") : Tr::tr("-");
    default:
        return QString();
    }
}

QString outputText(int value, bool longForm)
{
    switch (value) {
    case 0:
        return longForm ? Tr::tr("Выключен") : Tr::tr("р");
    case 1:
        return longForm ? Tr::tr("Включен") : Tr::tr("з");
    case 2:
        return longForm ? Tr::tr("Обрыв или КЗ") : Tr::tr("о");
    case 3:
        return longForm ? Tr::tr("Неисправность") : Tr::tr("н");
    case 4:
        return longForm ? Tr::tr("Не определено") : Tr::tr("-");
    default:
        return QString();
    }
}

QString valveText(int value, bool longForm)
{
    switch (value) {
    case 0:
        return longForm ? Tr::tr("Промежуточное пол.") : Tr::tr("п", "valve");
    case 1:
        return longForm ? Tr::tr("Задвижка закрыта") : Tr::tr("з", "valve");
    case 2:
        return longForm ? Tr::tr("Задвижка открыта") : Tr::tr("о", "valve");
    case 3:
        return longForm ? Tr::tr("Обрыв или КЗ") : Tr::tr("н", "valve");
    case 4:
        return longForm ? Tr::tr("Не определено") : Tr::tr("-");
    default:
        return QString();
    }
}

QString loPowerText(int value, bool longForm)
{
    switch (value) {
    case 0:
        return longForm ? Tr::tr("Выключено") : Tr::tr("В");
    case 1:
        return longForm ? Tr::tr("Прямое") : Tr::tr("П");
    case 2:
        return longForm ? Tr::tr("Прям. с миганием") : Tr::tr("ПМ");
    case 3:
        return longForm ? Tr::tr("Обратное") : Tr::tr("О");
    case 4:
        return longForm ? Tr::tr("Обр. с миганием") : Tr::tr("ОМ");
    case 5:
        return longForm ? Tr::tr("Не определено") : Tr::tr("-");
    default:
        return QString();
    }
}

QString insulatorText(int value, bool longForm)
{
    Q_UNUSED(longForm)
    switch (value) {
    case 0:
        return Tr::tr("Разомкнут");
    case 1:
        return Tr::tr("Замкнут");
    case 2:
        return Tr::tr("Не определено");
    default:
        return QString();
    }
}

QString sensorText(int value, bool longForm)
{
    Q_UNUSED(longForm)
    switch (value) {
    case 0:
        return Tr::tr("Исправен");
    case 1:
        return Tr::tr("Неисправен");
    case 3:
        return Tr::tr("Не определено");
    default:
        return QString();
    }
}

QString laserText(int value, bool longForm)
{
    Q_UNUSED(longForm)
    switch (value) {
    case 0:
        return Tr::tr("Выключен");
    case 1:
        return Tr::tr("Включен");
    case 3:
        return Tr::tr("Не определено");
    default:
        return QString();
    }
}

QString pyroText(int value, bool longForm)
{
    Q_UNUSED(longForm)
    switch (value) {
    case 0:
        return Tr::tr("Не определено");
    case 1:
        return Tr::tr("Исправен");
    default:
        return Tr::tr("Неисправен");
    }
}

QString lineText(int value, bool longForm)
{
    Q_UNUSED(longForm)
    switch (value) {
    case 0:
        return Tr::tr("Норма");
    case 1:
        return Tr::tr("КЗ");
    case 2:
        return Tr::tr("Обрыв");
    case 3:
        return Tr::tr("Не определено");
    default:
        return QString();
    }
}

QString powerFaultText(int value, bool longForm)
{
    Q_UNUSED(longForm)
    switch (value) {
    case 0:
        return Tr::tr("Норма");
    case 1:
        return Tr::tr("Неисправность");
    case 2:
        return Tr::tr("Не определено");
    default:
        return QString();
    }
}

QString powerSupplyText(int value, bool longForm)
{
    Q_UNUSED(longForm)
    switch (value) {
    case 0:
        return Tr::tr("Пониженное");
    case 1:
        return Tr::tr("Норма");
    case 2:
        return Tr::tr("Не определено");
    default:
        return QString();
    }
}

QString buttonText(int value, bool longForm)
{
    Q_UNUSED(longForm)
    switch (value) {
    case 0:
        return Tr::tr("Не нажата");
    case 1:
        return Tr::tr("Нажата");
    case 2:
        return Tr::tr("Не определено");
    case 3:
        return Tr::tr("Ошибка");
    default:
        return QString();
    }
}

QString startButtonText(int value, bool longForm)
{
    Q_UNUSED(longForm)
    switch (value) {
    case 0:
        return Tr::tr("Не определено");
    case 1:
        return Tr::tr("Нажата");
    case 2:
        return Tr::tr("Не нажата");
    case 3:
        return Tr::tr("Ошибка");
    default:
        return QString();
    }
}

QString coverText(int value, bool longForm)
{
    Q_UNUSED(longForm)
    switch (value) {
    case 0:
        return Tr::tr("Не определено");
    case 1:
        return Tr::tr("Открыта");
    case 2:
        return Tr::tr("Закрыта");
    default:
        return QString();
    }
}

QString channelTypeText(int value, bool longForm)
{
    Q_UNUSED(longForm)
    switch (value) {
    case 0:
        return Tr::tr("м");
    case 1:
        return Tr::tr("мд");
    default:
        return QString::number(value);
    }
}

QString procTypeText(int value, bool longForm)
{
    Q_UNUSED(longForm)
    switch (value) {
    case 0:
        return Tr::tr("Нет данных");
    case 1:
        return QStringLiteral("PIC18F24K40");
    case 2:
        return QStringLiteral("PIC18F25K40");
    case 3:
        return QStringLiteral("PIC18F26K40");
    case 4:
        return QStringLiteral("PIC18F27K40");
    default:
        return QString::number(value);
    }
}
