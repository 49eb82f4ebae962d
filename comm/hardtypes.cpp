#include "hardtypes.h"

#include <QCoreApplication>

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(HardTypes)
};
} // namespace

bool isFireType(int type)
{
    switch (type) {
    case ManualCallPoint:
    case HeatDetector:
    case HeatDetector2:
    case SmokeDetector:
    case FlameDetector:
    case FlameDetector2:
    case SmokeHeatDetector:
    case SmokeHeatDetector2:
        return true;
    default:
        return false;
    }
}

bool isHeatType(int type)
{
    return type == HeatDetector || type == HeatDetector2 || type == SmokeHeatDetector ||
           type == SmokeHeatDetector2;
}

bool isSmokeType(int type)
{
    return type == SmokeDetector || type == SmokeHeatDetector || type == SmokeHeatDetector2;
}

bool isFlameType(int type)
{
    return type == FlameDetector || type == FlameDetector2;
}

bool isIonistorType(int type)
{
    return type == HeatDetector2 || type == FlameDetector2 || type == ControlModuleC ||
           type == SmokeHeatDetector2;
}

bool isVexaInputType(int type)
{
    return type == InputModule2 || type == InputModule4 || type == InputRelayModule;
}

bool isRelayOutputType(int type)
{
    return type == RelayModule2 || type == RelayModule4 || type == InputRelayModule;
}

bool isLoType(int type)
{
    return type == ControlModuleA || type == ControlModuleB;
}

QString auTypeName(int type)
{
    switch (type) {
    case ManualCallPoint:
        return Tr::tr("ИПР");
    case HeatDetector:
        return Tr::tr("ИПТ");
    case HeatDetector2:
        return Tr::tr("ИПТ-И");
    case SmokeDetector:
        return Tr::tr("ИПД");
    case FlameDetector:
        return Tr::tr("ИПП");
    case FlameDetector2:
        return Tr::tr("ИПП-И");
    case RemoteStartButton:
        return Tr::tr("УДП");
    case InputModule2:
        return Tr::tr("Vexa2");
    case InputModule4:
        return Tr::tr("Vexa4");
    case RelayModule2:
        return Tr::tr("Zirn2");
    case RelayModule4:
        return Tr::tr("Zirn4");
    case InputRelayModule:
        return Tr::tr("Vexa2Р2");
    case InputModule2A:
        return Tr::tr("Vexa2A");
    case ControlModuleA:
        return Tr::tr("Dulo-A");
    case ControlModuleB:
        return Tr::tr("Dulo-B");
    case ControlModuleC:
        return Tr::tr("Fenk");
    case PowerModuleA:
        return Tr::tr("Pona-A");
    case PowerModuleB:
        return Tr::tr("Pona-B");
    case PowerModuleC:
        return Tr::tr("Pona-C");
    case PowerModuleD:
        return Tr::tr("Pona-D");
    case PowerModuleE:
        return Tr::tr("Pona-E");
    case SmokeHeatDetector:
        return Tr::tr("ИПД/Т");
    case SmokeHeatDetector2:
        return Tr::tr("ИПД/Т-И");
    case RynController:
        return Tr::tr("RYN");
    case UndefinedType:
        return QStringLiteral("...");
    default:
        return QString();
    }
}

QString auTypeDisplayName(int type)
{
    const QString name = auTypeName(type);
    return name.isEmpty() ? Tr::tr("тип %1").arg(type) : name;
}
