#include "settings/settings_file_cache.hpp"

#include <algorithm>

const Settings* ParsedSettingsFile::Find(const IO::Location& file,
                                         const IO::FileStamp& stamp) const {
    if (!parsed_ || !(parsed_->stamp == stamp) || !(parsed_->file == file)) return nullptr;
    return &parsed_->settings;
}

void ParsedSettingsFile::Keep(const IO::Location& file, const IO::FileStamp& stamp,
                              const Settings& settings, std::chrono::system_clock::time_point now) {
    if (IsSettled(stamp, now)) {
        parsed_ = Parsed{file, stamp, settings};
    } else {
        parsed_.reset();
    }
}

bool IsSettled(const IO::FileStamp& stamp, std::chrono::system_clock::time_point now) {
    const std::chrono::nanoseconds lastChange(std::max(stamp.modifiedNs, stamp.changedNs));
    return now.time_since_epoch() - lastChange >= ParsedSettingsFile::SettledAge;
}
