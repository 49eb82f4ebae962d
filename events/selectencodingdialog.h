#pragma once

#include <QDialog>

class QComboBox;

// Asks which encoding a CSV export is written in, offering the last one chosen.
class SelectEncodingDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SelectEncodingDialog(QWidget *parent = nullptr);

    // The chosen codec name, remembered for next time; an empty string when the window was closed.
    static QString getEncoding(QWidget *parent = nullptr);

private:
    QComboBox *m_encodingCombo = nullptr;
};
