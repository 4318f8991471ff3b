// Pairs of benchmark names (measured, raw counterpart) whose time ratio the runner reports.
#pragma once

#include <string>
#include <utility>
#include <vector>

std::vector<std::pair<std::string, std::string>>& RatioPairs();

// Registers a pair at static initialisation: static const bool x = AddRatioPair(...).
bool AddRatioPair(std::string measured, std::string raw);
