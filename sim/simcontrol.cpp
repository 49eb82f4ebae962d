#include "simcontrol.h"

#include "simbus.h"
#include "simframe.h"

#include <algorithm>

namespace {

// A number as written on a control line: decimal, or hexadecimal with 0x.
bool toNumber(const QString &text, double *value)
{
    bool ok = false;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        *value = text.mid(2).toUInt(&ok, 16);
        return ok;
    }
    *value = text.toDouble(&ok);
    return ok;
}

} // namespace

SimControl::SimControl(SimBus &bus)
    : m_bus(bus)
{}

void SimControl::setTimeline(const QList<SimScenario::TimelineEntry> &timeline, qint64 repeatMs)
{
    m_timeline = timeline;
    std::stable_sort(m_timeline.begin(), m_timeline.end(),
                     [](const SimScenario::TimelineEntry &a, const SimScenario::TimelineEntry &b) {
                         return a.atMs < b.atMs;
                     });
    m_repeatMs = repeatMs;
    m_roundStartMs = m_nowMs;
    m_next = 0;
}

QString SimControl::helpText()
{
    return QStringLiteral(
        "set C U NAME VALUE | get C U [NAME...] | state C U STATE [P] | add C U TYPE | remove C U | "
        "event C U CODE [PARAM] [INPUT] | cmd C TARGET COMMAND [P1] [P2] | write C REG VALUE... | "
        "reg C REG [COUNT] | events C [clear] | ramp C U NAME TARGET SECONDS | drift C U NAME STEP SECONDS LIMIT | "
        "charge C U NAME TARGET SECONDS | dip C U NAME DEPTH SECONDS | reset C | silence C | revive C | "
        "faults [RATES] | late MS | counts | time | freeze | thaw | quit (C controller, U unit, 0 = the "
        "controller itself)");
}

QString SimControl::execute(const QString &line)
{
    const QString text = line.trimmed();
    if (text.isEmpty() || text.startsWith(QLatin1Char('#')))
        return QStringLiteral("OK");
    const QString reply = run(text.split(QLatin1Char(' '), Qt::SkipEmptyParts));
    return reply;
}

QString SimControl::run(const QStringList &words)
{
    const QString verb = words.at(0).toLower();
    const auto error = [](const QString &message) -> QString { return QStringLiteral("ERROR ") + message; };
    const auto ok = [](const QString &message = QString()) -> QString {
        return message.isEmpty() ? QStringLiteral("OK") : QStringLiteral("OK ") + message;
    };
    QList<double> numbers;
    for (int i = 1; i < words.size(); ++i) {
        double value = 0;
        numbers.append(toNumber(words.at(i), &value) ? value : qQNaN());
    }
    const auto integer = [&numbers](int index) {
        return index < numbers.size() && !qIsNaN(numbers.at(index)) ? qRound(numbers.at(index)) : -1;
    };

    if (verb == QLatin1String("help"))
        return ok(helpText());
    if (verb == QLatin1String("quit")) {
        m_quit = true;
        return ok();
    }
    if (verb == QLatin1String("counts"))
        return ok(m_bus.countsText());
    if (verb == QLatin1String("time"))
        return ok(QString::number(m_nowMs / 1000.0, 'f', 1) +
                  (m_frozen ? QStringLiteral(" frozen") : QString()));
    if (verb == QLatin1String("freeze") || verb == QLatin1String("thaw")) {
        m_frozen = verb == QLatin1String("freeze");
        return ok();
    }
    if (verb == QLatin1String("faults")) {
        if (words.size() > 1) {
            const QString problem = m_bus.faults().setRates(words.mid(1).join(QString()));
            if (!problem.isEmpty())
                return error(problem);
        }
        return ok(m_bus.faults().ratesText());
    }
    if (verb == QLatin1String("late")) {
        if (integer(0) < 0)
            return error(tr("give the delay of a late answer in milliseconds"));
        m_bus.setLateMs(integer(0));
        return ok();
    }

    // Everything else names a controller first.
    const QStringList withController = {
        QStringLiteral("set"),     QStringLiteral("get"),    QStringLiteral("state"), QStringLiteral("add"),
        QStringLiteral("remove"),  QStringLiteral("event"),  QStringLiteral("cmd"),   QStringLiteral("write"),
        QStringLiteral("reg"),     QStringLiteral("events"), QStringLiteral("ramp"),  QStringLiteral("reset"),
        QStringLiteral("silence"), QStringLiteral("revive"), QStringLiteral("drift"), QStringLiteral("charge"),
        QStringLiteral("dip")};
    if (!withController.contains(verb))
        return error(tr("unknown command \"%1\"; try help").arg(words.at(0)));
    SimController *controller = m_bus.controller(integer(0));
    if (!controller)
        return error(tr("no controller at address \"%1\"").arg(words.value(1)));
    const int unit = integer(1);
    const auto needs = [&words](int count) { return words.size() >= count; };

    if (verb == QLatin1String("silence") || verb == QLatin1String("revive")) {
        controller->setSilent(verb == QLatin1String("silence"));
        return ok();
    }
    if (verb == QLatin1String("reset")) {
        controller->reset();
        return ok();
    }
    if (verb == QLatin1String("events")) {
        if (words.value(2).compare(QLatin1String("clear"), Qt::CaseInsensitive) == 0) {
            controller->clearEvents();
            return ok();
        }
        QStringList items;
        for (const SimEvent &event : controller->eventBuffer().events())
            items.append(QStringLiteral("%1/%2/%3/%4")
                             .arg(event.unit)
                             .arg(event.code)
                             .arg(event.param)
                             .arg(event.input));
        return ok(QString::number(items.size()) +
                  (items.isEmpty() ? QString() : QLatin1Char(' ') + items.join(QLatin1Char(' '))));
    }
    if (verb == QLatin1String("reg")) {
        const int start = integer(1);
        const int count = numbers.size() > 2 ? integer(2) : 1;
        if (start < 0 || start > 0xFFFF || count < 1 || count > 125)
            return error(tr("give a register 0..65535 and a count 1..125"));
        QStringList values;
        for (int i = 0; i < count; ++i)
            values.append(QString::number(controller->registerValue(start + i)));
        return ok(values.join(QLatin1Char(' ')));
    }
    if (verb == QLatin1String("write")) {
        if (!needs(4) || integer(1) < 0)
            return error(tr("give a register and the values to write"));
        SimFrame::Request request;
        request.slave = quint8(controller->address());
        request.function = SimFrame::writeFunction;
        request.start = quint16(integer(1));
        for (int i = 2; i < numbers.size(); ++i) {
            if (integer(i) < 0 || integer(i) > 0xFFFF)
                return error(tr("register values lie in 0..65535"));
            request.values.append(quint16(integer(i)));
        }
        request.count = quint16(request.values.size());
        const SimController::Outcome outcome = controller->handleRequest(request);
        if (outcome.kind == SimController::Outcome::Exception)
            return error(tr("exception %1").arg(outcome.exception));
        return ok(outcome.note);
    }
    if (verb == QLatin1String("cmd")) {
        const int command = integer(2);
        if (!needs(4) || unit < 0 || unit > 255 || command < 0 || command > 255)
            return error(tr("give a target byte and a command byte"));
        const int p1 = numbers.size() > 3 ? integer(3) : 0;
        const int p2 = numbers.size() > 4 ? integer(4) : 0;
        if (p1 < 0 || p1 > 255 || p2 < 0 || p2 > 255)
            return error(tr("command parameters are bytes"));
        return ok(controller->executeCommand(unit, command, p1, p2));
    }
    if (verb == QLatin1String("event")) {
        const int code = integer(2);
        const int param = numbers.size() > 3 ? integer(3) : 0;
        const int input = numbers.size() > 4 ? integer(4) : 0;
        if (!needs(4) || unit < 0 || unit > 255 || code < 0 || code > 255 || param < 0 || param > 255 ||
            input < 0 || input > 255)
            return error(
                tr("give the unit, the event code and optionally the parameter and input, all bytes"));
        SimEvent event;
        event.unit = quint8(unit);
        event.code = quint8(code);
        event.param = quint8(param);
        event.input = quint8(input);
        controller->raiseEvent(event);
        return ok();
    }

    if (unit < 0 || unit > SimController::maxAddress)
        return error(tr("give a unit address 1..251, or 0 for the controller"));
    if (verb == QLatin1String("get")) {
        QStringList items;
        const QStringList wanted = words.mid(3);
        const auto add = [&items, &wanted](const QString &name, qint64 value) {
            if (wanted.isEmpty() || wanted.contains(name, Qt::CaseInsensitive))
                items.append(name + QLatin1Char('=') + QString::number(value));
        };
        if (unit == 0) {
            for (int field = 0; field < SimController::FieldCount; ++field)
                add(SimController::fieldName(SimController::Field(field)),
                    controller->field(SimController::Field(field)));
            add(QStringLiteral("eventsWaiting"), controller->eventBuffer().waiting());
            add(QStringLiteral("eventsLost"), controller->eventBuffer().totalLost());
            add(QStringLiteral("eventsRaised"), controller->eventBuffer().totalRaised());
            add(QStringLiteral("silent"), controller->isSilent());
        } else {
            const SimUnit &record = controller->unit(unit);
            for (int field = 0; field < SimUnit::FieldCount; ++field)
                add(SimUnit::fieldName(SimUnit::Field(field)), record.value(SimUnit::Field(field)));
            add(QStringLiteral("generalState"), controller->generalState(unit));
            add(QStringLiteral("connection"), controller->connection(unit));
            add(QStringLiteral("ionistorState"), controller->ionistorState(unit));
            add(QStringLiteral("configType"), controller->configuredType(unit));
            add(QStringLiteral("blocked"), controller->isBlocked(unit));
            // The configuration entries as stored, for checking what a master wrote into them.
            if (unit <= SimController::loopUnits) {
                add(QStringLiteral("threshold"), controller->configValue(100, unit));
                add(QStringLiteral("powerLoInit"), controller->configValue(103, unit));
                add(QStringLiteral("loMode"), controller->configValue(104, unit));
                add(QStringLiteral("outputInit"), controller->configValue(105, unit));
                add(QStringLiteral("heatFlag"), controller->configValue(106, unit));
            }
        }
        if (items.isEmpty())
            return error(tr("no such value"));
        return ok(items.join(QLatin1Char(' ')));
    }
    if (verb == QLatin1String("set")) {
        if (!needs(5) || qIsNaN(numbers.value(3, qQNaN())))
            return error(tr("give the name and the value"));
        const QString problem = unit == 0 ? controller->setControllerValue(words.at(3), numbers.at(3))
                                          : controller->setUnitValue(unit, words.at(3), numbers.at(3));
        return problem.isEmpty() ? ok() : error(problem);
    }
    if (verb == QLatin1String("ramp")) {
        if (!needs(6) || qIsNaN(numbers.value(3, qQNaN())) || qIsNaN(numbers.value(4, qQNaN())))
            return error(tr("give the name, the target value and the seconds"));
        const QString problem = controller->startRamp(unit, words.at(3), numbers.at(3), numbers.at(4));
        return problem.isEmpty() ? ok() : error(problem);
    }
    if (verb == QLatin1String("drift")) {
        if (!needs(7) || qIsNaN(numbers.value(3, qQNaN())) || qIsNaN(numbers.value(4, qQNaN())) ||
            qIsNaN(numbers.value(5, qQNaN())))
            return error(tr("give the name, the step, the seconds between steps and the limit"));
        const QString problem = controller->startRamp(unit, words.at(3), numbers.at(5), numbers.at(4),
                                                      SimRamp::Steps, numbers.at(3));
        return problem.isEmpty() ? ok() : error(problem);
    }
    if (verb == QLatin1String("charge") || verb == QLatin1String("dip")) {
        if (!needs(6) || qIsNaN(numbers.value(3, qQNaN())) || qIsNaN(numbers.value(4, qQNaN())))
            return error(verb == QLatin1String("charge") ? tr("give the name, the target value and the seconds")
                                                         : tr("give the name, the depth and the seconds"));
        const QString problem =
            controller->startRamp(unit, words.at(3), numbers.at(3), numbers.at(4),
                                  verb == QLatin1String("charge") ? SimRamp::Charge : SimRamp::Dip);
        return problem.isEmpty() ? ok() : error(problem);
    }
    if (unit == 0)
        return error(tr("give a unit address 1..251"));
    if (verb == QLatin1String("state")) {
        if (!needs(4))
            return error(tr("give the state"));
        const QString problem =
            controller->setUnitState(unit, words.at(3), numbers.size() > 3 ? integer(3) : 0);
        return problem.isEmpty() ? ok() : error(problem);
    }
    if (verb == QLatin1String("add")) {
        const int type = integer(2);
        if (type < 1 || type > 254)
            return error(tr("give a device type code"));
        controller->addUnit(unit, type);
        return ok();
    }
    controller->removeUnit(unit);
    return ok();
}

QStringList SimControl::advance(int ms)
{
    QStringList done;
    if (m_frozen)
        return done;
    m_bus.advance(ms);
    m_nowMs += ms;
    while (!m_timeline.isEmpty()) {
        if (m_next >= m_timeline.size()) {
            if (m_repeatMs <= 0 || m_nowMs < m_roundStartMs + m_repeatMs)
                break;
            m_roundStartMs += m_repeatMs;
            m_next = 0;
            continue;
        }
        const SimScenario::TimelineEntry &entry = m_timeline.at(m_next);
        if (m_roundStartMs + entry.atMs > m_nowMs)
            break;
        ++m_next;
        done.append(entry.line + QStringLiteral(": ") + execute(entry.line));
    }
    return done;
}
