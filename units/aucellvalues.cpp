#include "aucellvalues.h"

#include "hardtypes.h"
#include "unitconversions.h"
#include "unittexts.h"

#include <QCoreApplication>

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(AuCell)
};

// A smoke detector's dustiness that fits no colour: drawn like any other unknown code.
constexpr int UnknownCode = -1;

QColor named(const char *name)
{
    return QColor(QLatin1String(name));
}

QString degrees(int value)
{
    return QString::number(value) + QChar(0x00B0) + QLatin1Char('C');
}

QString smokeUnits(int value)
{
    return QStringLiteral("%1 ").arg(value) + Tr::tr("ед.");
}

bool storeByNumber(quint8 *slot, quint8 value)
{
    if (*slot == value)
        return false;
    *slot = value;
    return true;
}
} // namespace

AuCellValues::AuCellValues(int addr, AuCellTypes::CellKind cellKind)
    : address(addr)
    , kind(cellKind)
    , state(cellKind == AuCellTypes::IonistorCell ? 4 : 8)
{}

int AuCellValues::displayCode() const
{
    switch (kind) {
    case AuCellTypes::GeneralCell:
        return hidden ? HiddenCode : state;
    case AuCellTypes::IonistorCell:
        if (!isIonistorType(type))
            return 4;
        return hidden ? HiddenCode : state;
    case AuCellTypes::SmokeCell:
        if (!isSmokeType(type))
            return 8;
        if (hidden)
            return HiddenCode;
        if (!unBlocked)
            return 6;
        if (connection != 0 && connection != 5)
            return 1;
        if (photo != 0 || sensor != 0)
            return 2;
        if (fire)
            return 4;
        switch (dustiness) {
        case 0:
            return 0;
        case 1:
            return 10;
        case 2:
            return 11;
        default:
            return UnknownCode;
        }
    }
    return UnknownCode;
}

bool AuCellValues::charging() const
{
    return kind == AuCellTypes::IonistorCell && (displayCode() & 8) != 0;
}

AuCellValues::Texts AuCellValues::texts() const
{
    Texts t;
    t[AddressLabel] = QString::number(address);
    if (hidden)
        return t;

    if (kind == AuCellTypes::GeneralCell) {
        if (state != 8) {
            t[TypeLabel] = auTypeName(type);
            t[FirmwareLabel] = QStringLiteral("%1  ").arg(firmwareVersion);
        }
        if (isHeatType(type)) {
            t[TemperatureLabel] = QStringLiteral("t=") + degrees(thermistorToCelsius(t_u));
            t[ThresholdLabel] = degrees(thresholdT);
        }
        if (isLoType(type))
            t[LoLabel] = loPowerText(powerLo, false);
        switch (type) {
        case InputModule4:
            t[Input3Label] = Tr::tr("В3:") + inputText(input[2], false);
            t[Input4Label] = Tr::tr("В4:") + inputText(input[3], false);
            Q_FALLTHROUGH();
        case InputModule2:
            t[Input1Label] = Tr::tr("В1:") + inputText(input[0], false);
            t[Input2Label] = Tr::tr("В2:") + inputText(input[1], false);
            break;
        case RelayModule4:
            t[Output3Label] = Tr::tr("Р3:") + outputText(output[2], false);
            t[Output4Label] = Tr::tr("Р4:") + outputText(output[3], false);
            Q_FALLTHROUGH();
        case RelayModule2:
            t[Output1Label] = Tr::tr("Р1:") + outputText(output[0], false);
            t[Output2Label] = Tr::tr("Р2:") + outputText(output[1], false);
            break;
        case InputRelayModule:
            t[Input1Label] = Tr::tr("В1:") + inputText(inputVexa2R2[0], false);
            t[Input2Label] = Tr::tr("В2:") + inputText(inputVexa2R2[1], false);
            t[Output1Label] = Tr::tr("Р1:") + outputText(outputVexa2R2[0], false);
            t[Output2Label] = Tr::tr("Р2:") + outputText(outputVexa2R2[1], false);
            break;
        case InputModule2A:
            t[Valve1Label] = Tr::tr("З1:") + valveText(valve[0], false);
            t[Valve2Label] = Tr::tr("З2:") + valveText(valve[1], false);
            break;
        default:
            break;
        }
    }

    if (isIonistorType(type)) {
        const QString volts = QString::number(voltage, 'f', 2) + Tr::tr(" В");
        t[VoltageLabel] = kind == AuCellTypes::IonistorCell ? QStringLiteral("U=") + volts : volts;
    }
    if (isSmokeType(type)) {
        t[SmokeLabel] = Tr::tr("Тз=") + smokeUnits(smoke);
        // Beside a smoke-heat detector's threshold only the short form fits the cell.
        t[SmokeMidLabel] = kind == AuCellTypes::GeneralCell && isHeatType(type)
                               ? QStringLiteral("Y=") + QString::number(smokeMid)
                               : QStringLiteral("Y=") + smokeUnits(smokeMid);
        if (kind == AuCellTypes::SmokeCell)
            t[ResourceLabel] = Tr::tr("Р=") + QStringLiteral("%1%").arg(resource);
    }
    return t;
}

QColor AuCellValues::cellColour(AuCellTypes::CellKind kind, int displayCode)
{
    if (displayCode == HiddenCode)
        return named("white");
    switch (kind) {
    case AuCellTypes::GeneralCell:
        switch (displayCode) {
        case 0:
            return named("lawngreen");
        case 1:
            return named("orange");
        case 2:
            return named("yellow");
        case 3:
            return named("mediumpurple");
        case 4:
            return named("red");
        case 5:
            return named("cyan");
        case 6:
            return named("peru");
        case 8:
            return named("silver");
        case 9:
            return named("magenta");
        default:
            return named("gray");
        }
    case AuCellTypes::IonistorCell:
        // Bit 3 only says that charging is in progress.
        switch (displayCode) {
        case 0:
        case 8:
            return named("lawngreen");
        case 1:
        case 9:
            return named("darkturquoise");
        case 2:
        case 10:
            return named("orange");
        case 3:
        case 11:
            return named("yellow");
        case 4:
        case 12:
            return named("silver");
        case 5:
            return named("red");
        default:
            return named("gray");
        }
    case AuCellTypes::SmokeCell:
        switch (displayCode) {
        case 0:
            return named("lawngreen");
        case 1:
            return named("orange");
        case 2:
            return named("yellow");
        case 4:
            return named("red");
        case 6:
            return named("peru");
        case 8:
            return named("silver");
        case 10:
            return named("mediumpurple");
        case 11:
            return named("magenta");
        default:
            return named("gray");
        }
    }
    return named("gray");
}

QColor AuCellValues::isolatorColour(int isolator)
{
    switch (isolator) {
    case 0:
        return named("darkred");
    case 1:
        return QColor(Qt::transparent);
    case 2:
        return named("silver");
    default:
        return named("gray");
    }
}

bool AuCellValues::setInput(int number, quint8 value, bool isVexa2R2)
{
    if (number < 1 || number > 4)
        return false;
    if (isVexa2R2 && number <= 2)
        return storeByNumber(&inputVexa2R2[number - 1], value);
    return storeByNumber(&input[number - 1], value);
}

bool AuCellValues::setOutput(int number, quint8 value, bool isVexa2R2)
{
    if (number < 1 || number > 4)
        return false;
    if (isVexa2R2 && number <= 2)
        return storeByNumber(&outputVexa2R2[number - 1], value);
    return storeByNumber(&output[number - 1], value);
}

bool AuCellValues::setValve(int number, quint8 value)
{
    if (number < 1 || number > 2)
        return false;
    return storeByNumber(&valve[number - 1], value);
}
