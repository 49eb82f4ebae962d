#pragma once

#include <QDialog>

class EventDesc;
struct EvFilter;
class QGroupBox;
class QLabel;
class QSpinBox;

// Lets the user narrow the event log to one controller, one unit and one event code.
class EvFilterDialog : public QDialog
{
    Q_OBJECT

public:
    explicit EvFilterDialog(QWidget *parent = nullptr);

    // Shows the filter; on acceptance writes the choice back, on rejection leaves it untouched.
    // evDesc names the chosen code and may be null.
    int exec(EvFilter &evFilter, const EventDesc *evDesc);

public slots:
    void slotSetEvDescLabel(int evCode);

private:
    const EventDesc *m_evDesc = nullptr;
    QGroupBox *m_rynBox = nullptr;
    QGroupBox *m_auBox = nullptr;
    QGroupBox *m_codeBox = nullptr;
    QSpinBox *m_rynSpin = nullptr;
    QSpinBox *m_auSpin = nullptr;
    QSpinBox *m_codeSpin = nullptr;
    QLabel *m_descLabel = nullptr;
};
