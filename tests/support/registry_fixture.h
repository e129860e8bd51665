#pragma once

// Gives each test a hive file of its own, in a scratch folder.

#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>

class OwnHive : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("LIRRA_REGISTRY", (m_scratch / "registry.reg").c_str(), 1); }
    void TearDown() override { ::unsetenv("LIRRA_REGISTRY"); }

    ScratchFolder m_scratch;
};
