#pragma once

#include <QDialog>
#include <QList>

class QSpinBox;

// The choice of controllers for a report or protocol run: the current one, all eight addresses, or
// a range of addresses. Created once by its owner and reused, so it offers the last choice again.
class RynSelectDialog : public QDialog
{
    Q_OBJECT

public:
    enum SelectionType
    {
        CurrentRyn = 0,
        AllRyns = 1,
        RynRange = 2,
    };

    explicit RynSelectDialog(QWidget *parent = nullptr);

    // The chosen addresses, ascending; the current controller is the one the settings remember.
    QList<int> selectedAddresses() const;
    int selectionType() const { return m_selectionType; }

    // The addresses of a choice: the current address unchanged, 1..8, or start..end (empty when
    // the end lies below the start).
    static QList<int> addresses(int selectionType, int currentRyn, int rangeStart, int rangeEnd);

public slots:
    // The clicked radio button's number (its object name) becomes the selection type.
    void slotSelectTypeChanged();
    // Keeps the range start from passing its end.
    void slotDiapasonChanged();

private:
    int m_selectionType = CurrentRyn;
    QSpinBox *m_rangeStart = nullptr;
    QSpinBox *m_rangeEnd = nullptr;
};
