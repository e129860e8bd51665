#pragma once

#include <fstream>
#include <functional>
#include <sstream>
#include <string>

// How much the process's peak resident memory grows while `action` runs, in bytes: the
// peak is reset to the memory in use when it starts. Another thread's allocations count
// too.
inline long long residentPeakGrowth(const std::function<void()>& action)
{
    const auto statusKb = [](const std::string& field) {
        std::ifstream status("/proc/self/status");
        for (std::string line; std::getline(status, line);)
            if (line.rfind(field + ":", 0) == 0)
                return std::stoll(line.substr(field.size() + 1));
        return -1LL;
    };
    const long long before = statusKb("VmRSS");
    std::ofstream("/proc/self/clear_refs") << "5";   // the peak starts again from here
    action();
    return (statusKb("VmHWM") - before) * 1024;
}
