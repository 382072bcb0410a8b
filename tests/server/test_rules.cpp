#include <gtest/gtest.h>

#include "rules/rules.h"

using namespace vlm::server;

TEST(Rules, YuvarlaRoundsHalvesAwayFromZero) {
  struct Case {
    double in, out;
  } cases[] = {{1.005, 1.01}, {2.675, 2.68},  {0.125, 0.13},  {-0.125, -0.13},
               {0.004, 0.0},  {0.059, 0.06},  {256.5, 256.5}, {1234567.895, 1234567.9},
               {0, 0},        {-3.333, -3.33}};
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(yuvarla(c.in), c.out) << c.in;
}

TEST(Rules, FoldTextGivesPlainCapitals) {
  EXPECT_EQ(foldText(QStringLiteral("şaft ığdır İçöü")), QStringLiteral("SAFT IGDIR ICOU"));
  EXPECT_EQ(foldText(QStringLiteral("Fren Balatası")), QStringLiteral("FREN BALATASI"));
  EXPECT_EQ(compactText(QStringLiteral("1k0-615 301.a")), QStringLiteral("1K0615301A"));
}

TEST(Rules, CascadeSkipsRatesOfZeroOrBelow) {
  EXPECT_DOUBLE_EQ(cascade(300, {10, 5, 0, 0}), 256.5);
  EXPECT_DOUBLE_EQ(cascade(100, {-10, 0, 0, 0}), 100);
  EXPECT_NEAR(effectiveRate({10, 5, 0, 0}), 14.5, 1e-9);
  EXPECT_EQ(ratesText({10, 5, 0, 0}), QStringLiteral("10+5"));
  EXPECT_EQ(ratesText({7.5, 0, 0, 0}), QStringLiteral("7,5"));
  EXPECT_EQ(ratesText({0, 0, 0, 0}), QStringLiteral("0"));
}

TEST(Rules, LineAmounts) {
  const LineAmounts a = lineAmounts(3, 100, {10, 5, 0, 0}, 18);
  EXPECT_DOUBLE_EQ(a.gross, 300);
  EXPECT_DOUBLE_EQ(a.net, 256.5);
  EXPECT_DOUBLE_EQ(a.discount, 43.5);
  EXPECT_DOUBLE_EQ(a.netUnit, 85.5);
  EXPECT_DOUBLE_EQ(a.vat, 46.17);
  EXPECT_DOUBLE_EQ(a.total, 302.67);
  const LineAmounts zero = lineAmounts(0, 100, {0, 0, 0, 0}, 20);
  EXPECT_DOUBLE_EQ(zero.netUnit, 0);
}

TEST(Rules, TurkishMoney) {
  EXPECT_EQ(turkishMoney(1234.5), QStringLiteral("1.234,50"));
  EXPECT_EQ(turkishMoney(0), QStringLiteral("0,00"));
  EXPECT_EQ(turkishMoney(-1234567.891), QStringLiteral("-1.234.567,89"));
}
