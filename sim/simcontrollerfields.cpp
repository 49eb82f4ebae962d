#include "simcontrollerfields.h"

namespace {

struct FieldInfo
{
    const char *name;
    int max;
};

// In the order of SimControllerFields::Field.
const FieldInfo controllerFieldInfo[] = {
    {"typeWord", 65535},      {"version", 65535},
    {"versionMajor", 65535},  {"supply24", 255},
    {"current24", 255},       {"supply13", 255},
    {"current13", 255},       {"resistance", 65535},
    {"caseOpen", 1},          {"loopBreak", 1},
    {"loopShort", 1},         {"shortLeft", 1},
    {"shortRight", 1},        {"mainPowerFault", 1},
    {"reservePowerFault", 1}, {"loopBufferOverflow", 1},
    {"osErrors", 63},         {"parity", 65535},
    {"noise", 65535},         {"dataDlit", 65535},
    {"sbDlit", 65535},        {"timeout", 65535},
    {"overflow", 65535},      {"iBig", 65535},
    {"iSmall", 65535},        {"crcErrors", 65535},
    {"feErrors", 65535},      {"neErrors", 65535},
    {"oreErrors", 65535},     {"modbusErrors", 65535},
    {"loopRequests", 65535},  {"modbusRequests", 65535},
    {"sliLeft", 1},           {"sliRight", 1},
    {"startRelay", 3},        {"fireRelay", 3},
    {"faultRelay", 3},        {"operatingTime", 2147483647},
    {"initSeconds", 3600},
};
static_assert(sizeof(controllerFieldInfo) / sizeof(controllerFieldInfo[0]) == SimControllerFields::FieldCount,
              "one entry per field");

} // namespace

QString SimControllerFields::fieldName(Field field)
{
    return QLatin1String(controllerFieldInfo[field].name);
}

int SimControllerFields::fieldByName(const QString &name)
{
    for (int i = 0; i < FieldCount; ++i) {
        if (name.compare(QLatin1String(controllerFieldInfo[i].name), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QStringList SimControllerFields::fieldNames()
{
    QStringList names;
    for (const FieldInfo &info : controllerFieldInfo)
        names.append(QLatin1String(info.name));
    return names;
}

int SimControllerFields::maxValue(int field)
{
    return controllerFieldInfo[field].max;
}
