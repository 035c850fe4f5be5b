// Commands of the dialogs: settings, info. Each picks its menu item with a script for the modal
// dialog that the add-on opens: the script acts as the user, draws the dialog on request just
// before the closing button is pressed, and presses that button.
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "DG/ModalDialog.hpp"
#include "cli/addon_items.hpp"
#include "cli/commands.hpp"
#include "interaction.hpp"
#include "session.hpp"
#include "trace.hpp"
#include "ui/dialog_drawing.hpp"

namespace planhost {

namespace {

// What a dialog script found; the command's exit status comes from it.
struct DialogOutcome {
    bool shown = false;
    ExitStatus status = ExitStatus::kCommandRan;
};

void AddShowOption(CLI::App& sub, std::string& showPath) {
    sub.add_option("--show", showPath,
                   "Draw the dialog as it looks just before its button is pressed (SVG)");
}

// Draws the dialog when asked; a failure to write the drawing is reported, the dialog goes on.
void ShowIfAsked(const DG::ModalDialogSession& session, const std::string& showPath) {
    if (showPath.empty()) return;
    if (!SaveDialogSvg(session, showPath)) {
        std::fprintf(stderr, "planhost: cannot write %s\n", showPath.c_str());
    }
}

// Picks the menu item with script as the user of its dialog.
ExitStatus PickWithDialogScript(Session& session, Int16 menuResID, const char* command,
                                const std::shared_ptr<DialogOutcome>& outcome,
                                std::function<void(DG::ModalDialogSession&)> script) {
    session.interaction().SetModalDialogScript(
        [outcome, script = std::move(script)](DG::ModalDialogSession& dialog) {
            outcome->shown = true;
            script(dialog);
        });
    const GSErrCode result = session.PickMenu(menuResID);
    session.interaction().SetModalDialogScript(nullptr);
    if (result != NoError) {
        std::fprintf(stderr, "planhost: the menu handler returned %s\n",
                     FormatErrCode(result).c_str());
    }
    if (!outcome->shown) {
        std::printf("%s: no dialog was shown\n", command);
        return ExitStatus::kNoDialog;
    }
    return outcome->status;
}

struct SettingsArgs {
    std::optional<std::string> symbolSize;
    std::optional<std::string> startNumber;
    std::optional<int> library;
    bool cancel = false;
    std::string show;
};

// Enters the given values as one change each, then presses OK, or Cancel when asked to or when
// OK cannot be pressed.
void DriveSettings(const SettingsArgs& args, DialogOutcome& outcome,
                   DG::ModalDialogSession& dialog) {
    if (args.symbolSize) {
        dialog.ChangeText(kSymbolSizeItem, GS::UniString(*args.symbolSize, GS::CC_UTF8));
    }
    if (args.startNumber) {
        dialog.ChangeText(kStartNumberItem, GS::UniString(*args.startNumber, GS::CC_UTF8));
    }
    if (args.library && !dialog.SelectPopUpEntry(kLibraryItem, *args.library)) {
        std::fprintf(stderr, "planhost: settings --library %d: the library list has no entry %d\n",
                     *args.library, *args.library);
        outcome.status = ExitStatus::kUsageError;
    }
    const bool allEntered = outcome.status == ExitStatus::kCommandRan;
    short button = args.cancel || !allEntered ? DG_CANCEL : DG_OK;
    if (button == DG_OK && !dialog.item(DG_OK)->enabled) {
        std::printf("settings: OK is disabled\n");
        outcome.status = ExitStatus::kRefused;
        button = DG_CANCEL;
    }
    ShowIfAsked(dialog, args.show);
    dialog.Click(button);
}

CommandEntry SettingsCommand() {
    auto args = std::make_shared<SettingsArgs>();
    return {
        "settings",
        "Pick \"Settings...\": enter the given values (one change each, in the order symbol "
        "size, start number, library), then press OK, or Cancel with --cancel. Exit status 3 "
        "when OK is disabled (Cancel is pressed instead), 2 when the library list has no entry "
        "N.",
        [args](CLI::App& sub) {
            sub.add_option("--symbol-size", args->symbolSize, "Text for the symbol size field");
            sub.add_option("--start-number", args->startNumber, "Text for the start number field");
            sub.add_option("--library", args->library,
                           "Entry of the library list: 1 ZEP, 2 International");
            sub.add_flag("--cancel", args->cancel, "Press Cancel instead of OK");
            AddShowOption(sub, args->show);
        },
        [args](Session& session) {
            auto outcome = std::make_shared<DialogOutcome>();
            return PickWithDialogScript(session, kSettingsMenu, "settings", outcome,
                                        [args, outcome](DG::ModalDialogSession& dialog) {
                                            DriveSettings(*args, *outcome, dialog);
                                        });
        },
    };
}

// The texts of the box's static items that lie within its client area, one line each.
void PrintShownTexts(const DG::ModalDialogSession& dialog) {
    for (short number = 1; number <= dialog.itemCount(); ++number) {
        const DG::DialogItem& item = *dialog.item(number);
        const bool shown = IsItemVisible(dialog, number) && !item.text.IsEmpty();
        if (item.layout.kind == DG::ItemKind::StaticText && shown) {
            std::printf("%s\n", item.text.ToCStr(GS::CC_UTF8).c_str());
        }
    }
}

CommandEntry InfoCommand() {
    auto show = std::make_shared<std::string>();
    return {
        "info",
        "Pick \"Info...\": print the texts the box shows, one line each, and press OK.",
        [show](CLI::App& sub) { AddShowOption(sub, *show); },
        [show](Session& session) {
            auto outcome = std::make_shared<DialogOutcome>();
            return PickWithDialogScript(session, kInfoMenu, "info", outcome,
                                        [show](DG::ModalDialogSession& dialog) {
                                            PrintShownTexts(dialog);
                                            ShowIfAsked(dialog, *show);
                                            dialog.Click(DG_OK);
                                        });
        },
    };
}

}  // namespace

void AddDialogCommands(std::vector<CommandEntry>& commands) {
    commands.push_back(SettingsCommand());
    commands.push_back(InfoCommand());
}

}  // namespace planhost
