#include "interaction.hpp"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace planhost {

namespace {

// An alert is one output line however its text is broken.
std::string OneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return text;
}

}  // namespace

void Interaction::QueueClick(double x, double y) {
    clicks_.push_back({x, y});
}

std::optional<API_Coord> Interaction::NextClick() {
    if (clicks_.empty()) return std::nullopt;
    const API_Coord click = clicks_.front();
    clicks_.pop_front();
    return click;
}

void Interaction::QueueFileAnswer(std::optional<std::string> path) {
    fileAnswers_.push_back(std::move(path));
}

void Interaction::CancelAfterProgress(int n) {
    cancelAfter_.push_back(n);
}

void Interaction::ReportProgress(Int32 /*value*/) {
    ++progressReports_;
    if (std::find(cancelAfter_.begin(), cancelAfter_.end(), progressReports_) != cancelAfter_.end())
        cancelPending_ = true;
}

bool Interaction::IsCancelRequested() {
    return std::exchange(cancelPending_, false);
}

void Interaction::SetModalDialogScript(std::function<void(DG::ModalDialogSession&)> script) {
    modalScript_ = std::move(script);
}

void Interaction::ShowAlert(const std::string& utf8Text) {
    std::string line = OneLine(utf8Text);
    std::printf("alert: %s\n", line.c_str());
    std::fflush(stdout);
    alerts_.push_back(std::move(line));
}

const std::vector<std::string>& Interaction::alerts() const {
    return alerts_;
}

bool Interaction::AnswerFileDialog(const DG::FileDialogRequest& /*request*/, IO::Location* chosen) {
    if (fileAnswers_.empty()) return false;
    const std::optional<std::string> answer = std::move(fileAnswers_.front());
    fileAnswers_.pop_front();
    if (!answer) return false;
    *chosen = IO::Location(GS::UniString(*answer, GS::CC_UTF8));
    return true;
}

short Interaction::AnswerAlert(const DG::AlertRequest& request) {
    ShowAlert(request.largeText.ToCStr(GS::CC_UTF8));
    if (!request.smallText.IsEmpty()) ShowAlert(request.smallText.ToCStr(GS::CC_UTF8));
    return 1;  // the user confirms with the first button
}

void Interaction::DriveModalDialog(DG::ModalDialogSession& session) {
    // Each script drives one dialog.
    if (auto script = std::exchange(modalScript_, nullptr)) script(session);
}

}  // namespace planhost
