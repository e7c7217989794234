// Test fixture over the recording stand-in: a fresh machine per test, and no
// test may hand the platform an over-long or drive-root path.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fake_windows.h"

class FakeWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override { fake::Reset(); }
  void TearDown() override {
    EXPECT_THAT(fake::world.badPaths, ::testing::IsEmpty()) << "paths that reached a call";
  }
};

// A path of exactly `length` bytes below C:\, for the bounds tests.
inline std::string PathOfLength(size_t length) {
  std::string path = "C:\\";
  while (path.size() < length) path += (path.size() % 50 == 0) ? '\\' : 'd';
  return path;
}
