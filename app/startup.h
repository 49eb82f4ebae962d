#pragma once

#include <QString>

class QTranslator;

// Loads the catalogues for a language: Russian is the source language and needs only the toolkit's
// catalogue; any other language falls back to Russian when the program's catalogue is missing.
void installTranslators(QTranslator &first, QTranslator &second, const QString &language);

// Everything start-up does before the main window exists: working directory next to the executable,
// the settings file name, the language, the translators and the locale codec. Returns the language.
QString prepareStartup(QTranslator &first, QTranslator &second);
