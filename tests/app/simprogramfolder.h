#pragma once

#include "simprocess.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The folder a test runs the whole program in: the current folder while it lives, holding the event
// descriptions the program reads and a settings file of its own; and the simulated controllers of a
// scenario, which the settings name as the port, with one of them as the current controller.
class SimProgramFolder
{
public:
    SimProgramFolder();
    // Stops the simulator, forgets the settings file and leaves the folder.
    ~SimProgramFolder();

    // Writes the scenario into the folder and starts ryn-sim on it at full speed; false when that
    // fails (errorString() says why).
    bool start(const char *scenario, int rynAddr);
    // Starts ryn-sim on a scenario file with the given options (for example {"--baud", "0"});
    // false when that fails (errorString() says why).
    bool start(const QString &scenarioFile, const QStringList &options, int rynAddr);
    QString errorString() const { return m_error; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    SimProcess &sim() { return m_sim; }

private:
    QTemporaryDir m_dir;
    SimProcess m_sim;
    QString m_error;
};
