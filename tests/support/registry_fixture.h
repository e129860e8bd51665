#pragma once

// Gives each test a hive file of its own, in a scratch folder, and a cache folder of
// its own, where a book's temporary copy goes.

#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

class OwnHive : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char* cache = std::getenv("XDG_CACHE_HOME"))
            m_formerCache = cache;
        ::setenv("LIRRA_REGISTRY", (m_scratch / "registry.reg").c_str(), 1);
        ::setenv("XDG_CACHE_HOME", (m_scratch / "cache").c_str(), 1);
    }
    void TearDown() override
    {
        ::unsetenv("LIRRA_REGISTRY");
        if (m_formerCache)
            ::setenv("XDG_CACHE_HOME", m_formerCache->c_str(), 1);
        else
            ::unsetenv("XDG_CACHE_HOME");
    }

    ScratchFolder m_scratch;

private:
    std::optional<std::string> m_formerCache;
};
