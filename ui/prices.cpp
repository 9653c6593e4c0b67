#include "ui/prices.h"

namespace {

constexpr int32_t kPricedLevels = 5;  // levels 1 to 5 have a next level; 6 is the maximum
constexpr int32_t kNoPrice = 999999;

// The price of the next level from levels 1 to 5, in UpgradeKind order.
constexpr int32_t kPrices[kUpgradeKinds][kPricedLevels] = {
    {5000, 7500, 10000, 13000, 16000},  // structure
    {1500, 3000, 5500, 8000, 10000},    // shield
    {2500, 4000, 6000, 8000, 10000},    // handling
    {3000, 5000, 7500, 10000, 13000},   // weapons
};

}  // namespace

int32_t UpgradeCost(UpgradeKind kind, int32_t level) {
  if (kind < 0 || kind >= kUpgradeKinds || level < 1 || level > kPricedLevels) return kNoPrice;
  return kPrices[kind][level - 1];
}

bool CanAfford(int32_t credits, int32_t cost) { return credits - cost >= 0; }
