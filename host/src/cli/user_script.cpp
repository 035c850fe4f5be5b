#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

#include "cli/commands.hpp"
#include "interaction.hpp"

namespace planhost {

namespace {

std::optional<double> ParseCoordinate(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<API_Coord> ParseClick(std::string_view text) {
    const auto comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const std::optional<double> x = ParseCoordinate(text.substr(0, comma));
    const std::optional<double> y = ParseCoordinate(text.substr(comma + 1));
    if (!x || !y) return std::nullopt;
    return API_Coord{*x, *y};
}

void AddUserScriptOptions(CLI::App& sub, UserScript& script) {
    const CLI::Validator click(
        [](std::string& text) {
            return ParseClick(text) ? std::string() : "\"" + text + "\" is not X,Y in metres";
        },
        "X,Y");
    sub.add_option("--click", script.clicks,
                   "Answer the next point input with a click at X,Y (repeatable, in order; with "
                   "none left the input is cancelled)")
        ->check(click)
        ->allow_extra_args(false);
    sub.add_option("--file", script.files,
                   "Answer the next file dialog with PATH, or cancel it with - (repeatable, in "
                   "order; with none left the dialog is cancelled)")
        ->allow_extra_args(false);
    sub.add_option("--cancel-after", script.cancelAfter,
                   "The cancel query that follows the N-th progress report answers \"cancelled\" "
                   "(repeatable)")
        ->check(CLI::PositiveNumber)
        ->allow_extra_args(false);
}

void ApplyUserScript(const UserScript& script, Interaction& interaction) {
    for (const std::string& text : script.clicks) {
        const API_Coord click = *ParseClick(text);
        interaction.QueueClick(click.x, click.y);
    }
    for (const std::string& path : script.files)
        interaction.QueueFileAnswer(path == "-" ? std::nullopt : std::optional<std::string>(path));
    for (const int n : script.cancelAfter) interaction.CancelAfterProgress(n);
}

}  // namespace planhost
