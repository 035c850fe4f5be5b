// One environment variable of this process, changed for a test and put back afterwards.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#include "test_system.hpp"

class EnvironmentVariable {
public:
    explicit EnvironmentVariable(const char* name) : name_(name) {
        if (const char* value = std::getenv(name)) saved_ = value;
    }
    ~EnvironmentVariable() { Set(saved_ ? saved_->c_str() : nullptr); }
    EnvironmentVariable(const EnvironmentVariable&) = delete;
    EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

    // A null value removes the variable.
    void Set(const char* value) { test_system::SetEnvironmentValue(name_, value); }

private:
    const char* name_;
    std::optional<std::string> saved_;
};
