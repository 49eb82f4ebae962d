#include "fullyclickablecheckbox.h"

bool FullyClickableCheckbox::hitButton(const QPoint &pos) const
{
    Q_UNUSED(pos)
    return true;
}
