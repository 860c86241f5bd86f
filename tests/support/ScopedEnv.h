#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace dashcam::test {

// Sets (or, with no value, clears) an environment variable for one test and puts the previous
// value back afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* previous = std::getenv(name)) {
            m_previous = previous;
        }
        value != nullptr ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { m_previous ? ::setenv(m_name, m_previous->c_str(), 1) : ::unsetenv(m_name); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_previous;
};

} // namespace dashcam::test
