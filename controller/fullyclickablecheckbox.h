#pragma once

#include <QCheckBox>

// A check box in a menu row: a click anywhere on the row toggles it, not only on the box or its text.
class FullyClickableCheckbox : public QCheckBox
{
    Q_OBJECT

public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint &pos) const override;
};
