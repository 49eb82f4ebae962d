#include "simbus.h"

#include "simframe.h"

SimController *SimBus::addController(int address, int eventCapacity)
{
    auto &slot = m_controllers[address];
    slot = std::make_unique<SimController>(address, eventCapacity);
    return slot.get();
}

SimController *SimBus::controller(int address) const
{
    const auto found = m_controllers.find(address);
    return found == m_controllers.end() ? nullptr : found->second.get();
}

QList<int> SimBus::addresses() const
{
    QList<int> list;
    for (const auto &entry : m_controllers)
        list.append(entry.first);
    return list;
}

bool SimBus::handleFrame(const QByteArray &frame, Answer *answer)
{
    ++m_frames;
    const SimFrame::Request request = SimFrame::parseRequest(frame);
    SimController *target = controller(request.slave);
    if (request.slave == 0) {
        answer->note = QStringLiteral("broadcast: ignored");
        return false;
    }
    if (!target) {
        answer->note = QStringLiteral("no controller at %1").arg(request.slave);
        return false;
    }
    if (target->isSilent()) {
        answer->note = QStringLiteral("controller %1 is silent").arg(request.slave);
        return false;
    }
    // Only answers that would be normal ones are spoiled: an exception answer stays what it is.
    const bool regular = target->exceptionFor(request) == 0;
    const SimFaultInjector::Kind fault = regular ? m_faults.draw() : SimFaultInjector::None;
    answer->fault = fault;
    if (fault == SimFaultInjector::NoAnswer) {
        answer->note = QStringLiteral("fault noanswer");
        return false;
    }
    if (fault == SimFaultInjector::Exception) {
        answer->bytes = SimFrame::exceptionAnswer(request.slave, request.function, SimFrame::SlaveDeviceBusy);
        answer->note = QStringLiteral("fault exception");
        ++m_answered;
        return true;
    }
    const SimController::Outcome outcome = target->handleRequest(request);
    QByteArray bytes;
    switch (outcome.kind) {
    case SimController::Outcome::Registers:
        bytes = SimFrame::readAnswer(request.slave, outcome.registers);
        break;
    case SimController::Outcome::Written:
        bytes = SimFrame::writeAnswer(request.slave, request.start, request.count);
        break;
    case SimController::Outcome::Exception:
        bytes = SimFrame::exceptionAnswer(request.slave, request.function, outcome.exception);
        break;
    }
    answer->note = outcome.note;
    const SimFaultInjector::Spoiled spoiled = m_faults.spoil(answer->fault, bytes);
    answer->bytes = spoiled.bytes;
    answer->burstFrom = spoiled.burstFrom;
    if (answer->fault == SimFaultInjector::Late)
        answer->extraDelayMs = m_lateMs;
    if (answer->fault != SimFaultInjector::None)
        answer->note = (answer->note.isEmpty() ? QString() : answer->note + QStringLiteral("; ")) +
                       QStringLiteral("fault ") + SimFaultInjector::kindName(answer->fault);
    ++m_answered;
    return true;
}

void SimBus::brokenRequest(const QByteArray &bytes)
{
    ++m_broken;
    if (bytes.isEmpty())
        return;
    if (SimController *target = controller(quint8(bytes.at(0))))
        target->countCrcError();
}

void SimBus::advance(int ms)
{
    for (auto &entry : m_controllers)
        entry.second->advance(ms);
}

QString SimBus::countsText() const
{
    return QStringLiteral("frames=%1 answered=%2 broken=%3 ").arg(m_frames).arg(m_answered).arg(m_broken) +
           m_faults.countsText();
}
