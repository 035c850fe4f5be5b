// The settings as last parsed from "Stakewise.ini", kept with the file's stamp at that read.
// Placing a point reads the settings twice, and a user may change the file while a command
// runs, so every read asks the file system for the stamp again; only an unchanged stamp reuses
// the parsed values.
//
// A stamp is trusted only when the file's last change is at least SettledAge older than the
// read: a file rewritten in place within one tick of the file clock could keep size and times,
// but once its changed time lies seconds in the past, any later write, rename over it, chmod or
// utime gives it a new changed time. A file saved in the last seconds is read afresh each time.
#pragma once

#include <chrono>
#include <optional>

#include "IO/FileSystem.hpp"
#include "settings/settings_record.hpp"

class ParsedSettingsFile {
public:
    static constexpr std::chrono::nanoseconds SettledAge = std::chrono::seconds(2);

    // The settings parsed from file, when its stamp is still the one they were read with.
    const Settings* Find(const IO::Location& file, const IO::FileStamp& stamp) const;
    // Keeps the settings parsed from file, read after stamp was taken at `now`; nothing is kept
    // for a stamp that is not settled yet.
    void Keep(const IO::Location& file, const IO::FileStamp& stamp, const Settings& settings,
              std::chrono::system_clock::time_point now);
    void Forget() { parsed_.reset(); }

private:
    struct Parsed {
        IO::Location file;
        IO::FileStamp stamp;
        Settings settings;
    };
    std::optional<Parsed> parsed_;
};

// Whether the file's content and entry last changed at least SettledAge before `now`.
bool IsSettled(const IO::FileStamp& stamp, std::chrono::system_clock::time_point now);
