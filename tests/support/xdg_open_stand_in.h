#pragma once

// A stand-in xdg-open first on PATH while the object lives. Each launch leaves a record
// in the scratch folder: its arguments, its process id and its session id.

#include "scratch_folder.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

class XdgOpenStandIn {
public:
    struct Launch {
        std::vector<std::string> arguments;
        long pid = 0;
        long session = 0;
    };

    XdgOpenStandIn() : m_oldPath(std::getenv("PATH") ? std::getenv("PATH") : "")
    {
        // Launches may overlap: each claims its number with mkdir, which only one wins.
        writeFile(m_folder / "xdg-open",
                  "#!/bin/sh\n"
                  "cd \"$(dirname \"$0\")\" || exit 1\n"
                  // Bounded: a launch that outlives its test finds no folder to record in.
                  "n=0; while ! mkdir \"launch-$n\" 2>/dev/null; do n=$((n+1)); [ $n -lt 1000 ] || exit 1; done\n"
                  "i=0; for a in \"$@\"; do printf '%s' \"$a\" > \"launch-$n/argument-$i\"; i=$((i+1)); done\n"
                  "echo $$ > \"launch-$n/pid\"\n"
                  "cut -d' ' -f6 /proc/$$/stat > \"launch-$n/session\"\n"
                  "echo $# > \"launch-$n/done.part\" && mv \"launch-$n/done.part\" \"launch-$n/done\"\n");
        std::filesystem::permissions(m_folder / "xdg-open", std::filesystem::perms::owner_all);
        ::setenv("PATH", (m_folder.path() + ":" + m_oldPath).c_str(), 1);
    }
    ~XdgOpenStandIn() { ::setenv("PATH", m_oldPath.c_str(), 1); }

    // The first `count` launches, waiting up to ten seconds for them; fewer if they
    // did not come.
    std::vector<Launch> launches(std::size_t count) const
    {
        std::vector<Launch> found;
        for (int wait = 0; wait < 1000 && found.size() < count; ++wait) {
            const std::string record = m_folder / ("launch-" + std::to_string(found.size()));
            if (!std::filesystem::exists(record + "/done")) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                continue;
            }
            Launch& launch = found.emplace_back();
            for (int i = 0; i < std::stoi(readFile(record + "/done")); ++i)
                launch.arguments.push_back(readFile(record + "/argument-" + std::to_string(i)));
            launch.pid = std::stol(readFile(record + "/pid"));
            launch.session = std::stol(readFile(record + "/session"));
        }
        return found;
    }
    // The addresses of the launches, once `expected` of them came (or ten seconds
    // passed) and a moment later, so that one too many is seen as well.
    std::vector<std::string> addresses(std::size_t expected) const
    {
        launches(expected);
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        std::size_t started = 0;
        while (std::filesystem::exists(m_folder / ("launch-" + std::to_string(started))))
            ++started;
        std::vector<std::string> result;
        for (const Launch& launch : launches(started))
            result.push_back(launch.arguments.empty() ? std::string() : launch.arguments.front());
        return result;
    }

private:
    ScratchFolder m_folder;
    std::string m_oldPath;
};
