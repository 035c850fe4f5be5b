// The scripted user: answers point input, file dialogs, alerts, modal dialogs and the cancel
// query from what the command line asked for, and prints what the user would see
// ("alert: TEXT" on stdout). Installed as the support libraries' DG::InteractionDriver.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "DG/Interaction.hpp"
#include "api/api_records.hpp"

namespace planhost {

class Interaction : public DG::InteractionDriver {
public:
    // Point input: each queued click answers one 'IPOI'; with none left the input is cancelled.
    void QueueClick(double x, double y);
    std::optional<API_Coord> NextClick();

    // File dialogs: each queued answer answers one dialog, a path or a cancel (nullopt);
    // with none left the dialog is cancelled.
    void QueueFileAnswer(std::optional<std::string> path);

    // 'CANC': answers "cancelled" once, on the query that follows the N-th 'SPRV' of the run.
    void CancelAfterProgress(int n);
    void ReportProgress(Int32 value);  // called for each 'SPRV'
    bool IsCancelRequested();          // called for each 'CANC'

    // Modal dialogs: the script that drives the next modal dialog (set by the dialog commands).
    void SetModalDialogScript(std::function<void(DG::ModalDialogSession&)> script);

    // Alerts and reports the user sees: printed as "alert: TEXT" (large text, then small text
    // when not empty, one line each) and kept for the command's summary.
    void ShowAlert(const std::string& utf8Text);
    const std::vector<std::string>& alerts() const;

    // DG::InteractionDriver
    bool AnswerFileDialog(const DG::FileDialogRequest& request, IO::Location* chosen) override;
    short AnswerAlert(const DG::AlertRequest& request) override;
    void DriveModalDialog(DG::ModalDialogSession& session) override;

private:
    std::deque<API_Coord> clicks_;
    std::deque<std::optional<std::string>> fileAnswers_;
    std::vector<int> cancelAfter_;
    int progressReports_ = 0;
    bool cancelPending_ = false;
    std::function<void(DG::ModalDialogSession&)> modalScript_;
    std::vector<std::string> alerts_;
};

}  // namespace planhost
