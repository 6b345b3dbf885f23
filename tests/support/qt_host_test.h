#pragma once
// A test suite that runs on the Qt host under the offscreen platform: one host for the whole suite,
// made before its first test and freed after its last.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/ui/qt/qt_host.h"

class QtHostTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "qt_tests";
        static char* argv[] = {name, nullptr};
        host = new platform::ui::QtHost(argc, argv);
    }
    static void TearDownTestSuite() {
        delete host;
        host = nullptr;
    }

    static inline platform::ui::QtHost* host = nullptr;
};
