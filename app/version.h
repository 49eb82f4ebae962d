#pragma once

constexpr const char *programVersion = "3.0.0.7";
