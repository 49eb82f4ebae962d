#pragma once

#include <QList>
#include <QVector>

// The device-type groups of the selection panel's filter menu and the list of hidden types they make.
namespace TypeFilter {

constexpr int GroupCount = 10;

// The type codes a group hides when it is unchecked.
QList<int> groupTypes(int group);
// The codes of every unchecked group, groups in order; empty when every group is checked.
QList<int> filteredTypes(const QVector<bool> &groupChecked);
// State of the all-types box: checked, unchecked or partial.
Qt::CheckState allTypesState(const QVector<bool> &groupChecked);

} // namespace TypeFilter
