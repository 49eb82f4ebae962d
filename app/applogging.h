#pragma once

#include <QLoggingCategory>

// The application shell: the main window and its dialogs. Its debug lines are off unless switched on, for example with
// QT_LOGGING_RULES="ryn.app.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcApp)
