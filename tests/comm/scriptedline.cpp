#include "scriptedline.h"

ScriptedLine::ScriptedLine()
{
    link.setPortName(QStringLiteral("scripted"));
    link.openPort();
    link.setClock([this] { return port->now; });
    link.setSleeper([](int) {});
}
