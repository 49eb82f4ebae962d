#include "rynregistertexts.h"

#include <QCoreApplication>

namespace RynRegisterTexts {

namespace {

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(RynRegisterTexts)
};

constexpr double supplyVoltStep = 0.007 * 16;
constexpr double supply24MilliampStep = 0.085 * 16;
constexpr double supply13MilliampStep = 0.056 * 16;
constexpr double resistanceOhmStep = 0.1;

struct ErrorBit
{
    Ball ball;
    int bit;
};

// Register 980: one bit per error ball, lit yellow.
constexpr ErrorBit errorBits[] = {
    {Ball::LoopBreak, 5},          {Ball::LoopShort, 4},          {Ball::CaseOpen, 7},
    {Ball::ShortLeft, 2},          {Ball::ShortRight, 3},         {Ball::MainPowerFault, 12},
    {Ball::ReservePowerFault, 13}, {Ball::LoopBufferOverflow, 6}, {Ball::OsError1, 1},
    {Ball::OsError2, 8},           {Ball::OsError3, 9},           {Ball::OsError4, 10},
    {Ball::OsError5, 11},          {Ball::OsError6, 0},
};

bool bit(quint16 word, int n)
{
    return (word >> n) & 1u;
}

quint8 lowByte(quint16 word)
{
    return quint8(word & 0xFF);
}

quint8 highByte(quint16 word)
{
    return quint8(word >> 8);
}

QString oneDecimal(double value, QLocale locale)
{
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', 1);
}

QString currentText(quint8 raw, double step, const QLocale &locale)
{
    return raw == 0 ? QStringLiteral("0") : oneDecimal(raw * step, locale);
}

// A relay is on only when its two bits read 01; the other codes are not "on".
BallColour relayColour(quint16 word, int firstBit, BallColour on)
{
    return ((word >> firstBit) & 3u) == 1u ? on : BallColour::White;
}

} // namespace

QVector<BallState> ballStates(int regAddr, quint16 word)
{
    const auto lit = [word](int n, BallColour colour) { return bit(word, n) ? colour : BallColour::White; };
    switch (regAddr) {
    case 979:
        return {{Ball::LeftKey, lit(0, BallColour::Red)},
                {Ball::RightKey, lit(1, BallColour::Red)},
                {Ball::LeftStage, lit(2, BallColour::Green)},
                {Ball::RightStage, lit(3, BallColour::Green)}};
    case 980: {
        QVector<BallState> states;
        for (const ErrorBit &error : errorBits)
            states.append({error.ball, lit(error.bit, BallColour::Yellow)});
        return states;
    }
    case 1001:
        return {{Ball::StartRelay, relayColour(word, 0, BallColour::Red)},
                {Ball::FireRelay, relayColour(word, 2, BallColour::Red)},
                {Ball::FaultRelay, relayColour(word, 4, BallColour::Yellow)}};
    default:
        return {};
    }
}

int errorBit(Ball ball)
{
    for (const ErrorBit &error : errorBits) {
        if (error.ball == ball)
            return error.bit;
    }
    return -1;
}

QString supplyVoltageText(quint16 word, const QLocale &locale)
{
    return oneDecimal(lowByte(word) * supplyVoltStep, locale);
}

QString supply24CurrentText(quint16 word, const QLocale &locale)
{
    return currentText(highByte(word), supply24MilliampStep, locale);
}

QString supply13CurrentText(quint16 word, const QLocale &locale)
{
    return currentText(highByte(word), supply13MilliampStep, locale);
}

QString loopResistanceText(quint16 word, const QLocale &locale)
{
    return oneDecimal(word * resistanceOhmStep, locale);
}

QString versionWithMinor(const QString &version, quint16 word)
{
    const int hyphen = version.indexOf(QLatin1Char('-'));
    return version.left(hyphen + 1) + QString::number(word);
}

QString versionWithMajor(const QString &version, quint16 word)
{
    const int hyphen = version.indexOf(QLatin1Char('-'));
    return QString::number(word) + version.mid(hyphen);
}

QString reportVersionText(const QString &version)
{
    QString result = version;
    const int hyphen = result.indexOf(QLatin1Char('-'));
    return hyphen < 0 ? result : result.replace(hyphen, 1, QStringLiteral(" \u2013 "));
}

void setSecondsAndMinutes(OperatingTime &time, quint16 word)
{
    time.seconds = quint8(word & 0x3F);
    time.minutes = quint8((word >> 6) & 0x3F);
}

void setHoursAndDays(OperatingTime &time, quint16 word)
{
    time.hours = quint8(word & 0x1F);
    time.days = quint16(word >> 5);
}

QString operatingTimeText(const OperatingTime &time)
{
    const auto twoDigits = [](int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); };
    return QStringLiteral("%1:%2:%3:%4")
        .arg(time.days)
        .arg(twoDigits(time.hours), twoDigits(time.minutes), twoDigits(time.seconds));
}

QString unknownOperatingTimeText()
{
    return QStringLiteral("----:--:--:--");
}

QString tickBox(bool ticked)
{
    return QString(QChar(ticked ? 0x2611 : 0x2610));
}

QString presentMark(bool set)
{
    return Tr::tr("Есть") + tickBox(set);
}

QString absentMark(bool set)
{
    return Tr::tr("Нет") + tickBox(!set);
}

} // namespace RynRegisterTexts
