#include "bench/Ratios.h"

std::vector<std::pair<std::string, std::string>>& RatioPairs() {
  static std::vector<std::pair<std::string, std::string>> pairs;
  return pairs;
}

bool AddRatioPair(std::string measured, std::string raw) {
  RatioPairs().emplace_back(std::move(measured), std::move(raw));
  return true;
}
