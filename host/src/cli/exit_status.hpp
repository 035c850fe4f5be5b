// planhost's exit statuses, the one list of them (the README's table says the same). A run that
// SIGINT or SIGTERM stops ends by that signal instead, after a line that says whether the
// project was saved.
#pragma once

namespace planhost {

enum class ExitStatus : int {
    // The command ran to its end, whatever the add-on told its user.
    kCommandRan = 0,
    // The host could not do its part: the project is missing, in use by another planhost,
    // damaged or could not be saved; the add-on or the trace file could not be loaded or
    // written; a failure inside the host.
    kHostFailed = 1,
    // The command line asks for what is not there: an unknown command or option, a bad value, a
    // list entry that the dialog does not have, a demo folder that holds someone else's files.
    kUsageError = 2,
    // The command could not do what was asked: OK was disabled, the object was refused or its
    // part is not loaded, the file could not be written, a step of the demo failed.
    kRefused = 3,
    // settings, info: the add-on opened no dialog.
    kNoDialog = 4,
};

}  // namespace planhost
