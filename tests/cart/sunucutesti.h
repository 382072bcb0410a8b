#pragma once
// Fixtures of the cart's GoogleTest suites: Turkish number formats, and one
// reference server per suite (sepetsunucu.h) with each test starting from
// cleared notes, no waits between connection attempts and scripted boxes.
#include <gtest/gtest.h>

#include <QLocale>

#include "mesaj.h"
#include "seams.h"
#include "sepetsunucu.h"

namespace vlm::test {

class Turkce : public ::testing::Test {
 protected:
  void SetUp() override { QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey)); }
  void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

class SunucuTesti : public Turkce {
 protected:
  static void SetUpTestSuite() { s = new SepetSunucusu; }
  static void TearDownTestSuite() {
    delete s;
    s = nullptr;
  }
  void SetUp() override {
    Turkce::SetUp();
    s->sifirla();
    setWaitHook([](int) {});
  }
  void TearDown() override {
    setWaitHook({});
    Turkce::TearDown();
  }

  static inline SepetSunucusu* s = nullptr;
  ScriptedMessages mesajlar;
};

}  // namespace vlm::test
