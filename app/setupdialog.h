#pragma once

#include "settings.h"

#include <QDialog>

class QSpinBox;

// Edits the program parameters the user may change; the main window stores what it returns.
class SetupDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SetupDialog(QWidget *parent = nullptr);

    // Shows the parameters; on acceptance writes the edited ones back into prgParams.
    int exec(Settings::PrgParams &prgParams);

private:
    QSpinBox *m_evCountSpinBox = nullptr;
};
