#pragma once

#include <functional>
#include <vector>

class AuPropertiesModel;

// What the decoder delivers to the properties model for a complete change of the loop: every value
// kind of the "all parameters" reading, each as one setter for one unit. `v` differs for every unit
// and every round, so two rounds differ in every value.
using UnitValueFeed = std::function<void(AuPropertiesModel &model, int addr, int v)>;

// Every value kind, the type first and the general state second, as their blocks are read.
const std::vector<UnitValueFeed> &unitValueFeeds();

// Every value kind of one unit.
void feedUnit(AuPropertiesModel &model, int addr, int seed);
