#include "aupropertycolumns.h"

#include "hardtypes.h"
#include "unitconversions.h"
#include "unittexts.h"

#include <QCoreApplication>

#include <initializer_list>

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(AuPropertiesModel)
};

using namespace AuProperty;

const char *const HeaderTexts[ColumnCount] = {
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Состояние общее"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Адрес"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Тип"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Версия ПО"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Тип процессора"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Связь"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Пожар"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Внимание"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "НЭ"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "R НЭ"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "U"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "U1"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "U2"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "U3"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Ионисторы"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Заряд"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Левый изол."),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Правый изол."),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Блокировка"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Тип теплового канала"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "T"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Пороговая темп."),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Сенсор"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Фототракт"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Задымлённость"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Средняя задымлённость (Y)"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Запылённость"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Порог пожара ИПД"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Оставшийся ресурс ИПД"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Светодиод"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Лазер"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Пиросенсор"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Накопитель S1"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Накопитель S2"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Таймер проверки пиросенсора"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Граница W1"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Граница W2"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Граница W3"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Вход 1"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Вход 2"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Вход 3"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Вход 4"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "АЦП вх 1"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "АЦП вх 2"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "АЦП вх 3"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "АЦП вх 4"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Выход 1 (текущее)"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Выход 2 (текущее)"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Выход 3 (текущее)"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Выход 4 (текущее)"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Выход 1 (начальное)"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Выход 2 (начальное)"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Выход 3 (начальное)"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Выход 4 (начальное)"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Кнопка"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Крышка"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Пит. ЛО (тек.)"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Пит. ЛО (нач.)"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "U пит. ЛО"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Питание"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "ОП"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "РП"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "ЛО"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Средний ток ответа"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Ток ответа СБ"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Счётчик отсутствия ответов от АУ"),
    QT_TRANSLATE_NOOP("AuPropertiesModel", "Доп. данные"),
};

// The named colours the table paints its values with.
enum Ink : quint8
{
    NoInk,
    Green,
    Red,
    Crimson,
    Brown,
    OrangeRed,
    Purple,
    Goldenrod,
    Blue,
};

const QColor &inkColour(Ink ink)
{
    static const QColor colours[] = {
        QColor(),
        QColor(QStringLiteral("green")),
        QColor(QStringLiteral("red")),
        QColor(QStringLiteral("crimson")),
        QColor(QStringLiteral("brown")),
        QColor(QStringLiteral("orangered")),
        QColor(QStringLiteral("purple")),
        QColor(QStringLiteral("darkgoldenrod")),
        QColor(QStringLiteral("#0066CC")),
    };
    return colours[ink];
}

// The colour of a coded value: the table is indexed by the value; values beyond it have no colour.
QColor byValue(int value, std::initializer_list<Ink> table)
{
    if (value < 0 || value >= int(table.size()))
        return QColor();
    return inkColour(table.begin()[value]);
}

QColor flag(bool alarm)
{
    return inkColour(alarm ? Red : Green);
}

// Inputs and outputs of the modules share one scale: 0 normal, 1 active, 2 and 3 faults, 4 unknown.
QColor ioColour(int value)
{
    return byValue(value, {Green, Red, Goldenrod, Goldenrod, Purple});
}

QString yesNo(bool set)
{
    return set ? Tr::tr("Да") : Tr::tr("Нет");
}

QString count(int value)
{
    return QStringLiteral("%1 ").arg(value) + Tr::tr("ед.");
}

QString degrees(int value)
{
    return Tr::tr("%1%2C").arg(QString::number(value), QString(QChar(0x00B0)));
}

QString decimals(double value, int count, QLocale locale)
{
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', count);
}

QString volts(double value, int count, const QLocale &locale)
{
    return decimals(value, count, locale) + Tr::tr(" В");
}

QString milliamperes(double value, const QLocale &locale)
{
    return decimals(value, 1, locale) + Tr::tr(" мА");
}

// These resistance bytes mean the measurement is missing, not a value.
bool noResistance(quint8 value)
{
    return value == 64 || value == 128 || value == 255;
}

// Inputs 1 and 2: the input-relay module keeps its own bank, the valve module reports valves there.
int input12(const AuUnitRecord &r, int index)
{
    if (r.type == InputRelayModule)
        return r.inputVexa2R2[index];
    if (r.type == InputModule2A)
        return r.valve[index];
    return r.input[index];
}

int output12(const AuUnitRecord &r, int index)
{
    return r.type == InputRelayModule ? r.outputVexa2R2[index] : r.output[index];
}
} // namespace

bool auPropertyApplies(int column, int type)
{
    switch (column) {
    case GeneralState:
    case Address:
    case Type:
    case Firmware:
    case ProcType:
    case Connection:
    case LeftInsulator:
    case RightInsulator:
    case Blocking:
    case AverageAmperage:
    case SbAmperage:
    case NoResponseCounter:
    case AdditionData:
        return true;
    case Fire:
        return isFireType(type);
    case PreAlarm:
    case Temperature:
    case ThresholdT:
    case Sensor:
        return isHeatType(type);
    case Heater:
    case HeaterResistance:
    case U:
    case U1:
    case U2:
    case U3:
    case Ionistor:
    case Charging:
        return isIonistorType(type);
    case ChannelType:
        return type == HeatDetector || type == HeatDetector2;
    case Photo:
    case SmokeMid:
        return type == SmokeDetector || type == SmokeHeatDetector;
    case Smoke:
    case Dustiness:
    case FireThreshold:
    case Resource:
    case Led:
        return isSmokeType(type);
    case Laser:
    case Pyrosensor:
    case CumulaterS1:
    case CumulaterS2:
    case PyroTimer:
    case BorderW1:
    case BorderW2:
    case BorderW3:
        return isFlameType(type);
    case Input1:
    case Input2:
    case Adc1:
    case Adc2:
        return isVexaInputType(type) || type == InputModule2A;
    case Input3:
    case Input4:
    case Adc3:
    case Adc4:
        return type == InputModule4;
    case Output1:
    case Output2:
    case OutputInit1:
    case OutputInit2:
        return isRelayOutputType(type);
    case Output3:
    case Output4:
    case OutputInit3:
    case OutputInit4:
        return type == RelayModule4;
    case Button:
        return type == ManualCallPoint || type == ManualCallPointV || type == RemoteStartButton;
    case Cover:
        return type == RemoteStartButton || type == ManualCallPointV;
    case LoMode:
    case LoModeInit:
    case LoVoltage:
    case PowerSupply:
    case MainPower:
    case ReservePower:
    case LoLine:
        return isLoType(type);
    default:
        return false;
    }
}

QString auPropertyHeader(int column)
{
    if (column < 0 || column >= ColumnCount)
        return QString();
    return QCoreApplication::translate("AuPropertiesModel", HeaderTexts[column]);
}

QVariant auPropertyDisplay(const AuUnitRecord &r, int column, const QLocale &locale)
{
    if (!auPropertyApplies(column, r.type))
        return QVariant();
    switch (column) {
    case GeneralState:
        return r.generalState;
    case Address:
        return r.address;
    case Type:
        return r.type;
    case Firmware:
        return int(r.firmwareVersion);
    case ProcType:
        return procTypeText(r.procType, true);
    case Connection:
        return connectionText(r.connection, true);
    case Fire:
        return yesNo(r.fire);
    case PreAlarm:
        return yesNo(r.preAlarm);
    case Heater:
        return heaterText(r.heater, true);
    case HeaterResistance:
        if (noResistance(r.r_NE))
            return QString(QChar(0x2013));
        return QString(QStringLiteral("%1 ").arg(r.r_NE) + Tr::tr("Ом."));
    case U:
        return volts(r.u, 2, locale);
    case U1:
        return volts(r.u1, 2, locale);
    case U2:
        return volts(r.u2, 2, locale);
    case U3:
        return volts(r.u3, 2, locale);
    case Ionistor:
        return ionistorText(r.ionistorState, true);
    case Charging:
        return (r.ionistorState & 8) ? Tr::tr("Вкл.") : Tr::tr("Выкл.");
    case LeftInsulator:
        return insulatorText(r.insulatorLeft, true);
    case RightInsulator:
        return insulatorText(r.insulatorRight, true);
    case Blocking:
        return yesNo(!r.unBlocked);
    case ChannelType:
        return channelTypeText(r.iptChannelType, true);
    case Temperature:
        return degrees(thermistorToCelsius(r.t_u));
    case ThresholdT:
        return degrees(r.thresholdT);
    case Sensor:
    case Led:
        return sensorText(r.sensor, true);
    case Photo:
        return sensorText(r.photo, true);
    case Smoke:
        return count(r.smoke);
    case SmokeMid:
        return count(r.smokeMid);
    case Dustiness:
        return dustinessText(r.dustiness, true);
    case FireThreshold:
        return count(r.fireThreshold);
    case Resource:
        return QStringLiteral("%1%").arg(r.resource);
    case Laser:
        return laserText(r.laser, true);
    case Pyrosensor:
        return pyroText(r.pyrosensor, true);
    case CumulaterS1:
        return count(r.cumulaterS1);
    case CumulaterS2:
        return count(r.cumulaterS2);
    case PyroTimer:
        return count(r.pyroTimer);
    case BorderW1:
    case BorderW2:
    case BorderW3:
        return count(r.ippW[column - BorderW1]);
    case Input1:
    case Input2:
        if (r.type == InputModule2A)
            return valveText(input12(r, column - Input1), true);
        return inputText(input12(r, column - Input1), true);
    case Input3:
    case Input4:
        return inputText(r.input[column - Input1], true);
    case Adc1:
    case Adc2:
    case Adc3:
    case Adc4:
        return count(r.inputADC[column - Adc1]);
    case Output1:
    case Output2:
        return outputText(output12(r, column - Output1), true);
    case Output3:
    case Output4:
        return outputText(r.output[column - Output1], true);
    case OutputInit1:
    case OutputInit2:
    case OutputInit3:
    case OutputInit4:
        return outputText(r.outputInit[column - OutputInit1], true);
    case Button:
        if (r.type == RemoteStartButton)
            return startButtonText(r.buttonUDP, true);
        return buttonText(r.buttonIPR_IPRV, true);
    case Cover:
        return coverText(r.tamperUDP_IPRV, true);
    case LoMode:
        return loPowerText(r.powerLo, true);
    case LoModeInit:
        return loPowerText(r.powerLoInit, true);
    case LoVoltage:
        return volts(loVoltage(r.t_u), 1, locale);
    case PowerSupply:
        return powerSupplyText(r.powerSupply, true);
    case MainPower:
        return powerFaultText(r.op, true);
    case ReservePower:
        return powerFaultText(r.rp, true);
    case LoLine:
        return lineText(r.lo, true);
    case AverageAmperage:
        return milliamperes(r.averageAmperage, locale);
    case SbAmperage:
        return milliamperes(r.sbAmperage, locale);
    case NoResponseCounter:
        return count(r.noResponseCounter);
    case AdditionData:
        return QStringLiteral("%1").arg(r.additionData);
    default:
        return QVariant();
    }
}

QColor auPropertyColour(const AuUnitRecord &r, int column)
{
    if (!auPropertyApplies(column, r.type))
        return QColor();
    switch (column) {
    case Connection:
        return byValue(r.connection, {Green, Brown, Red, Goldenrod, OrangeRed, Purple});
    case Fire:
        return flag(r.fire);
    case PreAlarm:
        return flag(r.preAlarm);
    case Heater:
        return byValue(r.heater, {Green, Blue, Goldenrod, Red, Purple, Goldenrod, Goldenrod});
    case Ionistor:
        return byValue(r.ionistorState, {Green, Blue, OrangeRed, Goldenrod, Purple, Red, NoInk, NoInk, Green,
                                         Blue, OrangeRed, Goldenrod, Purple});
    case Charging:
        return flag(r.ionistorState & 8);
    case LeftInsulator:
        return byValue(r.insulatorLeft, {OrangeRed, Green, Purple});
    case RightInsulator:
        return byValue(r.insulatorRight, {OrangeRed, Green, Purple});
    case Blocking:
        return flag(!r.unBlocked);
    case Sensor:
    case Led:
        return byValue(r.sensor, {Green, Goldenrod, NoInk, Purple});
    case Photo:
        return byValue(r.photo, {Green, Goldenrod, NoInk, Purple});
    case Dustiness:
        return byValue(r.dustiness, {Green, Red, Crimson});
    case Resource:
        return flag(r.resource < 85);
    case Laser:
        return byValue(r.laser, {Green, Red, NoInk, Purple});
    case Pyrosensor:
        return byValue(r.pyrosensor, {Purple, Green, Goldenrod, Goldenrod});
    case Input1:
    case Input2:
        if (r.type == InputModule2A)
            return byValue(input12(r, column - Input1), {OrangeRed, Green, Red, Goldenrod, Purple});
        return ioColour(input12(r, column - Input1));
    case Input3:
    case Input4:
        return ioColour(r.input[column - Input1]);
    case Output1:
    case Output2:
        return ioColour(output12(r, column - Output1));
    case Output3:
    case Output4:
        return ioColour(r.output[column - Output1]);
    case OutputInit1:
    case OutputInit2:
    case OutputInit3:
    case OutputInit4:
        return ioColour(r.outputInit[column - OutputInit1]);
    case Button:
        if (r.type == RemoteStartButton)
            return byValue(r.buttonUDP, {Purple, Red, Green, Goldenrod});
        return byValue(r.buttonIPR_IPRV, {Green, Red, Purple, Goldenrod});
    case Cover:
        return byValue(r.tamperUDP_IPRV, {Purple, OrangeRed, Green});
    case LoMode:
        return byValue(r.powerLo, {Green, Crimson, Crimson, Crimson, Crimson, Purple});
    case LoModeInit:
        return byValue(r.powerLoInit, {Green, Crimson, Crimson, Crimson, Crimson, Purple});
    case PowerSupply:
        return byValue(r.powerSupply, {OrangeRed, Green, Purple});
    case MainPower:
        return byValue(r.op, {Green, Goldenrod, Purple});
    case ReservePower:
        return byValue(r.rp, {Green, Goldenrod, Purple});
    case LoLine:
        return byValue(r.lo, {Green, Goldenrod, Goldenrod, Purple});
    default:
        return QColor();
    }
}

bool auPropertyBold(const AuUnitRecord &r, int column)
{
    if (!isLoType(r.type))
        return false;
    if (column == LoMode)
        return r.powerLo != 0 && r.powerLo != 5;
    if (column == LoModeInit)
        return r.powerLoInit != 0 && r.powerLoInit != 5;
    return false;
}
