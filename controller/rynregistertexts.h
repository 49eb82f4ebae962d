#pragma once

#include <QLocale>
#include <QString>
#include <QVector>

// How the controller's own registers 976..1003 read on screen and in the reports: the scaled
// supplies and resistance, the version made of two registers, the operating time, and which status
// ball a register bit lights in which colour.
namespace RynRegisterTexts {

constexpr int firstRegister = 976;
constexpr int lastRegister = 1003;
// Controllers below this version do not report their operating time.
constexpr quint16 firstVersionWithOperatingTime = 15;

enum class Ball
{
    LeftKey,
    RightKey,
    LeftStage,
    RightStage,
    LoopShort,
    LoopBreak,
    CaseOpen,
    ShortLeft,
    ShortRight,
    MainPowerFault,
    ReservePowerFault,
    LoopBufferOverflow,
    OsError1,
    OsError2,
    OsError3,
    OsError4,
    OsError5,
    OsError6,
    StartRelay,
    FireRelay,
    FaultRelay,
};
constexpr int ballCount = int(Ball::FaultRelay) + 1;

enum class BallColour
{
    White,
    Red,
    Green,
    Yellow,
};

struct BallState
{
    Ball ball;
    BallColour colour;
};

// Every ball register 979, 980 or 1001 drives, with its colour for the word; empty for other registers.
QVector<BallState> ballStates(int regAddr, quint16 word);
// The bit of register 980 behind an error ball (loop, case, power and OS error balls).
int errorBit(Ball ball);

// 24 V and 13 V supplies: the voltage in the low byte, the current in the high byte. Numbers are
// written with the locale's decimal separator and without group separators, on screen as in the
// reports.
QString supplyVoltageText(quint16 word, const QLocale &locale);
QString supply24CurrentText(quint16 word, const QLocale &locale);
QString supply13CurrentText(quint16 word, const QLocale &locale);
QString loopResistanceText(quint16 word, const QLocale &locale);

// The version reads "major-minor": 977 gives the part after the first hyphen, 1000 the part before.
QString versionWithMinor(const QString &version, quint16 word);
QString versionWithMajor(const QString &version, quint16 word);
// The version as the report writes it: "3 – 14".
QString reportVersionText(const QString &version);

struct OperatingTime
{
    quint8 seconds = 0;
    quint8 minutes = 0;
    quint8 hours = 0;
    quint16 days = 0;
};
// 1002: seconds in bits 0..5, minutes in bits 6..11; 1003: hours in bits 0..4, days in bits 5..15.
void setSecondsAndMinutes(OperatingTime &time, quint16 word);
void setHoursAndDays(OperatingTime &time, quint16 word);
QString operatingTimeText(const OperatingTime &time);
// Shown while the controller has not reported its operating time, or cannot.
QString unknownOperatingTimeText();

// A ticked or an empty box, as the inspection protocol marks a flag.
QString tickBox(bool ticked);
// The two marks of a flag in the inspection protocol: "Есть" and "Нет" with a ticked or empty box.
QString presentMark(bool set);
QString absentMark(bool set);

} // namespace RynRegisterTexts
