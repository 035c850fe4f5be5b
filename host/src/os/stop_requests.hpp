// Requests from outside to stop the run: Ctrl-C (SIGINT) and SIGTERM. Once watched, a request
// ends the run at once, after writing a last line that says whether the project was saved;
// while the project is being saved, a request waits for the save to end, so that the line
// tells the truth and the project is as before the command or as after it.
#pragma once

#include <string>

namespace planhost::os {

// From now on a request writes one of these lines (each ending in a line break) to standard
// error and ends the run; nothingSaved until the save below succeeds. Called again, it says the
// lines anew.
void WatchStopRequests(std::string nothingSavedLine, std::string savedLine);
// Requests end the run as the system ends it by default, without a line.
void UnwatchStopRequests();

// The save begins: requests wait.
void HoldStopRequests();
// The save ended, saved or not: a request that waited ends the run now.
void ReleaseStopRequests(bool saved);

}  // namespace planhost::os
