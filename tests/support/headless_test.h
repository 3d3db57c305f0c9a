// The fixture of every headless test: a fresh desktop, registry and application object, and at the end the
// checks that no box opened unexpectedly, no scripted answer went unused and no timer was left running.
#pragma once

#include <gtest/gtest.h>

#include <chrono>

#include "framework/application.h"
#include "platform/headless/desktop.h"
#include "tests/support/temporary_prefix.h"

class HeadlessTest : public ::testing::Test {
  protected:
    HeadlessTest();
    ~HeadlessTest() override;

    TemporaryPrefix registryPrefix;  // every test starts with an empty registry of its own
    headless::Desktop& desktop = headless::Desktop::Instance();
    headless::ModalScript& script = desktop.Script();
    ComponentPtr<TApplication> application;
};

using namespace std::chrono_literals;
