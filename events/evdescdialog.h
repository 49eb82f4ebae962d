#pragma once

#include "evdesc.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QTableWidget;

// Edits one event description. Only the colours can be changed; the other fields are shown
// greyed out so the user sees what the colour applies to.
class EvDescDialog : public QDialog
{
    Q_OBJECT

public:
    explicit EvDescDialog(QWidget *parent = nullptr);

    // On acceptance evDesc holds the edited record; evDescList tells which codes are taken.
    int exec(EvDesc &evDesc, const EvDescList &evDescList);

public slots:
    void slotAccept();
    void slotSetFgColor();
    void slotSetBgColor();

private:
    EvDesc readBack() const;
    void updatePreview();

    QString m_fgColor;
    QString m_bgColor;
    QSize m_lastSize;
    QComboBox *m_codeCombo = nullptr;
    QLineEdit *m_descEdit = nullptr;
    QGroupBox *m_addDescBox = nullptr;
    QLineEdit *m_prefixEdit = nullptr;
    QLineEdit *m_postfixEdit = nullptr;
    QCheckBox *m_useDescCheck = nullptr;
    QTableWidget *m_namesTable = nullptr;
};
