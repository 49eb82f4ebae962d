#include "simscenario.h"

#include "simbus.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>

namespace {

// Configuration entries a unit entry may give, by block code.
const struct
{
    const char *key;
    int block;
} configKeys[] = {
    {"threshold", 100}, {"blocked", 101},    {"configType", 102}, {"powerLoInit", 103},
    {"loMode", 104},    {"outputInit", 105}, {"heatFlag", 106},
};

bool isNumberOrBool(const QJsonValue &value)
{
    return value.isDouble() || value.isBool();
}

double numberOf(const QJsonValue &value)
{
    return value.isBool() ? (value.toBool() ? 1.0 : 0.0) : value.toDouble();
}

} // namespace

QList<int> SimScenario::parseAddresses(const QString &text)
{
    QList<int> addresses;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList ends = part.trimmed().split(QLatin1Char('-'));
        bool okFirst = false;
        bool okLast = true;
        const int first = ends.at(0).trimmed().toInt(&okFirst);
        const int last = ends.size() == 2 ? ends.at(1).trimmed().toInt(&okLast) : first;
        if (!okFirst || !okLast || ends.size() > 2 || first > last)
            return {};
        for (int address = first; address <= last; ++address)
            addresses.append(address);
    }
    return addresses;
}

bool SimScenario::load(const QString &path, SimBus &bus, Contents *contents, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = tr("cannot read the scenario %1: %2").arg(path, file.errorString());
        return false;
    }
    if (!parse(file.readAll(), bus, contents, error)) {
        *error = path + QStringLiteral(": ") + *error;
        return false;
    }
    return true;
}

bool SimScenario::parse(const QByteArray &json, SimBus &bus, Contents *contents, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = tr("not valid JSON at offset %1: %2").arg(parseError.offset).arg(parseError.errorString());
        return false;
    }
    if (!document.isObject()) {
        *error = tr("the scenario must be a JSON object");
        return false;
    }
    const QJsonObject root = document.object();
    for (auto it = root.begin(); it != root.end(); ++it) {
        const QStringList known = {QStringLiteral("controllers"),    QStringLiteral("timeline"),
                                   QStringLiteral("timelineRepeat"), QStringLiteral("seed"),
                                   QStringLiteral("eventCapacity"),  QStringLiteral("comment")};
        if (!known.contains(it.key())) {
            *error = tr("unknown key \"%1\"").arg(it.key());
            return false;
        }
    }
    *contents = Contents();
    if (root.contains(QLatin1String("seed"))) {
        contents->hasSeed = true;
        contents->seed = quint32(root.value(QLatin1String("seed")).toDouble());
    }
    const int capacity = root.value(QLatin1String("eventCapacity")).toInt(SimEventBuffer::defaultCapacity);
    if (capacity < 2 || capacity > 4000) {
        *error = tr("eventCapacity must lie in 2..4000");
        return false;
    }
    contents->repeatMs = qRound64(root.value(QLatin1String("timelineRepeat")).toDouble() * 1000);

    const QJsonArray controllers = root.value(QLatin1String("controllers")).toArray();
    if (controllers.isEmpty()) {
        *error = tr("\"controllers\" must be a non-empty array");
        return false;
    }
    QSet<int> seen;
    for (int c = 0; c < controllers.size(); ++c) {
        const QString where = QStringLiteral("controllers[%1]").arg(c);
        const QJsonObject object = controllers.at(c).toObject();
        const int address = object.value(QLatin1String("address")).toInt(0);
        if (address < 1 || address > 8 || seen.contains(address)) {
            *error = tr("%1: \"address\" must be a controller address 1..8 used once").arg(where);
            return false;
        }
        seen.insert(address);
        SimController *controller = bus.addController(address, capacity);
        for (auto it = object.begin(); it != object.end(); ++it) {
            const QString key = it.key();
            if (key == QLatin1String("address") || key == QLatin1String("units") ||
                key == QLatin1String("comment") || key == QLatin1String("constants"))
                continue;
            if (key == QLatin1String("silent")) {
                controller->setSilent(it.value().toBool());
                continue;
            }
            if (!isNumberOrBool(it.value())) {
                *error = tr("%1: \"%2\" must be a number").arg(where, key);
                return false;
            }
            const QString problem = controller->setControllerValue(key, numberOf(it.value()));
            if (!problem.isEmpty()) {
                *error = where + QStringLiteral(": ") + problem;
                return false;
            }
        }

        const QJsonObject constants = object.value(QLatin1String("constants")).toObject();
        for (auto it = constants.begin(); it != constants.end(); ++it) {
            const bool isDefault = it.key() == QLatin1String("default");
            if (!isDefault && it.key() != QLatin1String("current")) {
                *error = tr("%1.constants: use \"default\" and \"current\"").arg(where);
                return false;
            }
            const QJsonObject values = it.value().toObject();
            for (auto value = values.begin(); value != values.end(); ++value) {
                bool ok = false;
                const int index = value.key().toInt(&ok);
                const int number = value.value().toInt(-1);
                if (!ok || index < 0 || index >= SimController::constantCount || number < 0 ||
                    number > 0xFFFF) {
                    *error = tr("%1.constants.%2: give \"index\": value with index 0..31 and value 0..65535")
                                 .arg(where, it.key());
                    return false;
                }
                if (isDefault)
                    controller->setDefaultConstant(index, quint16(number));
                else
                    controller->setCurrentConstant(index, quint16(number));
            }
            // Unless told otherwise, the values in force are the defaults.
            if (isDefault && !constants.contains(QLatin1String("current"))) {
                for (int i = 0; i < SimController::constantCount; ++i)
                    controller->setCurrentConstant(i, controller->defaultConstant(i));
            }
        }

        const QJsonArray units = object.value(QLatin1String("units")).toArray();
        for (int u = 0; u < units.size(); ++u) {
            const QString unitWhere = QStringLiteral("%1.units[%2]").arg(where).arg(u);
            const QJsonObject entry = units.at(u).toObject();
            QList<int> addresses;
            const QJsonValue single = entry.value(QLatin1String("address"));
            const QJsonValue several = entry.value(QLatin1String("addresses"));
            if (single.isDouble())
                addresses.append(single.toInt());
            else if (several.isString())
                addresses = parseAddresses(several.toString());
            else if (several.isArray())
                for (const QJsonValue &value : several.toArray())
                    addresses.append(value.toInt());
            const int type = entry.value(QLatin1String("type")).toInt(-1);
            if (addresses.isEmpty()) {
                *error = tr("%1: give \"address\" or \"addresses\"").arg(unitWhere);
                return false;
            }
            if (type < 1 || type > 254) {
                *error = tr("%1: \"type\" must be a device type code").arg(unitWhere);
                return false;
            }
            for (const int unitAddress : addresses) {
                if (unitAddress < 1 || unitAddress > SimController::maxAddress) {
                    *error = tr("%1: unit address %2 is outside 1..251").arg(unitWhere).arg(unitAddress);
                    return false;
                }
                controller->placeUnit(unitAddress, SimUnit::create(type));
                QStringList states;
                for (auto it = entry.begin(); it != entry.end(); ++it) {
                    const QString key = it.key();
                    if (key == QLatin1String("address") || key == QLatin1String("addresses") ||
                        key == QLatin1String("type") || key == QLatin1String("comment") ||
                        key == QLatin1String("present"))
                        continue;
                    if (key == QLatin1String("state")) {
                        if (it.value().isArray())
                            for (const QJsonValue &state : it.value().toArray())
                                states.append(state.toString());
                        else
                            states.append(it.value().toString());
                        continue;
                    }
                    if (!isNumberOrBool(it.value())) {
                        *error = tr("%1: \"%2\" must be a number").arg(unitWhere, key);
                        return false;
                    }
                    const double number = numberOf(it.value());
                    int block = 0;
                    for (const auto &config : configKeys) {
                        if (key == QLatin1String(config.key))
                            block = config.block;
                    }
                    QString problem;
                    if (block == 101)
                        problem = controller->setUnitState(
                            unitAddress,
                            number != 0.0 ? QStringLiteral("blocked") : QStringLiteral("unblocked"), 0);
                    else if (block != 0)
                        problem = controller->setConfigEntry(block, unitAddress, qRound(number));
                    else
                        problem = controller->setUnitValue(unitAddress, key, number);
                    if (!problem.isEmpty()) {
                        *error = unitWhere + QStringLiteral(": ") + problem;
                        return false;
                    }
                }
                for (const QString &state : states) {
                    const QStringList parts = state.split(QLatin1Char(' '), Qt::SkipEmptyParts);
                    const QString problem = controller->setUnitState(
                        unitAddress, parts.value(0), parts.size() > 1 ? parts.at(1).toInt() : 0);
                    if (!problem.isEmpty()) {
                        *error = unitWhere + QStringLiteral(": ") + problem;
                        return false;
                    }
                }
                // Configured for the type, but nothing answers there.
                if (!entry.value(QLatin1String("present")).toBool(true))
                    controller->removeUnit(unitAddress);
            }
        }
    }

    const QJsonArray timeline = root.value(QLatin1String("timeline")).toArray();
    for (int t = 0; t < timeline.size(); ++t) {
        const QJsonObject entry = timeline.at(t).toObject();
        const QJsonValue at = entry.value(QLatin1String("at"));
        const QString line = entry.value(QLatin1String("do")).toString().trimmed();
        if (!at.isDouble() || at.toDouble() < 0 || line.isEmpty()) {
            *error = tr("timeline[%1]: give \"at\" (seconds) and \"do\" (a control line)").arg(t);
            return false;
        }
        contents->timeline.append({qRound64(at.toDouble() * 1000), line});
    }
    std::stable_sort(contents->timeline.begin(), contents->timeline.end(),
                     [](const TimelineEntry &a, const TimelineEntry &b) { return a.atMs < b.atMs; });
    if (contents->repeatMs > 0 && !contents->timeline.isEmpty() &&
        contents->timeline.last().atMs >= contents->repeatMs) {
        *error = tr("timelineRepeat must be longer than the last entry's time");
        return false;
    }

    for (const int address : bus.addresses())
        bus.controller(address)->powerUp();
    return true;
}
