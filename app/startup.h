#pragma once

#include <QString>

class QTranslator;

// Loads the catalogues for a language: Russian is the source language and needs only the toolkit's
// catalogue; any other language falls back to Russian when the program's catalogue is missing.
void installTranslators(QTranslator &first, QTranslator &second, const QString &language);

// Where the program keeps what it writes. Beside itself as it always has; an installed program,
// whose folder it may not write, keeps its settings in the user's configuration folder and the
// event descriptions the user saves in the user's data folder.
struct StartupPaths
{
    QString settingsFile;  // "TestRYN.ini" in the working directory, or a full path
    QString userDataDir;   // empty: beside the program
    bool inUserFolders = false;
};
StartupPaths startupPaths(bool programFolderWritable);

// Everything start-up does before the main window exists: working directory next to the executable,
// the settings file name, the language, the translators and the locale codec. Returns the language.
QString prepareStartup(QTranslator &first, QTranslator &second);
