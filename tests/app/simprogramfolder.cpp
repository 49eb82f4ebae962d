#include "simprogramfolder.h"

#include "settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

SimProgramFolder::SimProgramFolder()
{
    if (!m_dir.isValid() || !QDir::setCurrent(m_dir.path())) {
        m_error = QStringLiteral("no folder to run in");
        return;
    }
    QDir().mkpath(QStringLiteral("Resources"));
    if (!QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/Resources/Messages.RU"),
                     QStringLiteral("Resources/Messages.RU")))
        m_error = QStringLiteral("no event descriptions beside the program");
    Settings::fileName = QStringLiteral("TestRYN.ini");
}

SimProgramFolder::~SimProgramFolder()
{
    m_sim.stop();
    Settings::fileName.clear();
    QDir::setCurrent(QDir::tempPath());
}

bool SimProgramFolder::start(const char *scenario, int rynAddr)
{
    if (!m_error.isEmpty())
        return false;
    QFile file(m_dir.filePath(QStringLiteral("scenario.json")));
    if (!file.open(QIODevice::WriteOnly) || file.write(scenario) < 0) {
        m_error = file.errorString();
        return false;
    }
    file.close();
    return start(file.fileName(), {QStringLiteral("--baud"), QStringLiteral("0")}, rynAddr);
}

bool SimProgramFolder::start(const QString &scenarioFile, const QStringList &options, int rynAddr)
{
    if (!m_error.isEmpty())
        return false;
    if (!m_sim.start(scenarioFile, options)) {
        m_error = m_sim.errorString();
        return false;
    }
    Settings::PrgParams params;
    params.portName = m_sim.linkPath();
    params.rynAddr = quint8(rynAddr);
    if (!Settings::writePrgParams(params)) {
        m_error = QStringLiteral("settings not written");
        return false;
    }
    return true;
}
