// The pure rules, without SDL or a window: scanning numbers out of a line, what touches what on
// the field, and what the shop charges.
#include <gtest/gtest.h>

#include <cstdint>

#include "storage/text_scan.h"
#include "ui/prices.h"
#include "world/contact.h"

TEST(TextScanTest, NumbersAreHeldAtTheirLimitsAndAFailedStepMovesNothing) {
  int32_t value = 7;
  TextScan huge("99999999999999999999;-99999999999999999999");
  ASSERT_TRUE(huge.Integer32(&value));
  EXPECT_EQ(value, INT32_MAX);
  ASSERT_TRUE(huge.Literal(";"));
  ASSERT_TRUE(huge.Integer32(&value));
  EXPECT_EQ(value, INT32_MIN);
  // Blanks before a number are skipped, a lone sign is no number, and a failure leaves the place.
  TextScan line("  -12;+;x");
  ASSERT_TRUE(line.Integer32(&value));
  EXPECT_EQ(value, -12);
  EXPECT_FALSE(line.Literal(";;"));
  ASSERT_TRUE(line.Literal(";"));
  value = 5;
  EXPECT_FALSE(line.Integer32(&value));
  EXPECT_EQ(value, 5);
  char c = 0;
  ASSERT_TRUE(line.Character(&c));
  EXPECT_EQ(c, '+');
  int64_t wide = 0;
  TextScan bounded("300");
  ASSERT_TRUE(bounded.Integer(0, 255, &wide));
  EXPECT_EQ(wide, 255);
  TextScan empty("");
  EXPECT_FALSE(empty.Character(&c));
}

TEST(ContactTest, EdgesThatMeetTouchAndOnePixelApartDoNot) {
  // The box edges are the ship's and the freighter's hit tests' (their tests); here, a bolt (3 x 33
  // from its top-left) against a hazard of hit size 40 at (200, 300).
  EXPECT_TRUE(BoltHit(200, 300, 198, 268, 40));
  EXPECT_FALSE(BoltHit(200, 300, 197, 268, 40));
  EXPECT_FALSE(BoltHit(200, 300, 198, 267, 40));
  EXPECT_TRUE(BoltHit(200, 300, 240, 340, 40));
  EXPECT_FALSE(BoltHit(200, 300, 241, 340, 40));
  EXPECT_FALSE(BoltHit(200, 300, 240, 341, 40));
}

// The prices of every level are what the shop's rows show (the shop's test); here, the edges.
TEST(PricesTest, NothingIsSoldPastTheMaximumAndTheLastCreditStillPays) {
  for (int kind = 0; kind < kUpgradeKinds; ++kind) {
    EXPECT_LT(UpgradeCost(static_cast<UpgradeKind>(kind), 5), 999999);
    // Nothing is sold beyond the maximum, nor from a level a damaged save might hold.
    for (int level : {6, 0, -1, 7}) EXPECT_EQ(UpgradeCost(static_cast<UpgradeKind>(kind), level), 999999);
  }
  EXPECT_EQ(UpgradeCost(static_cast<UpgradeKind>(4), 1), 999999);
  // The exact price and a balance short of it are the shop's test (a new game's 5000 credits).
  EXPECT_TRUE(CanAfford(0, 0));
  EXPECT_FALSE(CanAfford(998999, 999999));
}
