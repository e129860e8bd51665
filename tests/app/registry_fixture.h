#pragma once

// Gives each test a hive file of its own.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

class OwnHive : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::temp_directory_path()
               / (std::string("hive_") + info->name() + "_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
        ::setenv("LIRRA_REGISTRY", (dir_ / "registry.reg").c_str(), 1);
    }
    void TearDown() override
    {
        ::unsetenv("LIRRA_REGISTRY");
        std::filesystem::remove_all(dir_);
    }

    std::filesystem::path dir_;
};
