#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QPushButton;

// Picks the relays of a relay module that a command switches. Relays 3 and 4 exist only on the
// four-relay module; a choice without any relay cannot be confirmed.
class AuReleDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int RelayCount = 4;

    explicit AuReleDialog(QWidget *parent = nullptr);

    // `selection` holds the relays to show checked (bit i = relay i + 1); on acceptance it holds the
    // relays chosen. Returns the dialog's result.
    int exec(const QString &title, int auType, quint16 &selection);

    QCheckBox *relayBox(int relay) const { return m_boxes.at(relay - 1); }
    QPushButton *okButton() const { return m_okButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }

public slots:
    void slotSetOkBtnEnabled();

private:
    quint16 checkedMask() const;

    std::array<QCheckBox *, RelayCount> m_boxes{};
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};
