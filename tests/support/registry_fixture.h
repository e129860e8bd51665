#pragma once

// Gives each test a hive file of its own, in a scratch folder, and a cache folder of
// its own, where a book's temporary copy goes.

#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class OwnHive : public ::testing::Test {
protected:
    void SetUp() override
    {
        setEnv("LIRRA_REGISTRY", m_scratch / "registry.reg");
        setEnv("XDG_CACHE_HOME", m_scratch / "cache");
    }
    void TearDown() override
    {
        for (auto former = m_formerEnv.rbegin(); former != m_formerEnv.rend(); ++former)
            former->second ? ::setenv(former->first, former->second->c_str(), 1) : ::unsetenv(former->first);
    }
    // Sets an environment variable until the end of the test.
    void setEnv(const char* name, const std::string& value)
    {
        const char* former = std::getenv(name);
        m_formerEnv.emplace_back(name, former ? std::optional<std::string>(former) : std::nullopt);
        ::setenv(name, value.c_str(), 1);
    }

    ScratchFolder m_scratch;

private:
    std::vector<std::pair<const char*, std::optional<std::string>>> m_formerEnv;
};
