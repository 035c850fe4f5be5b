// ACAPI_CallUndoableCommand: one undo step around the add-on's command. When the command
// returns an error, what it changed is taken back and no step is kept, as a host that cannot
// complete an operation leaves the model as it found it.
#include "GS/UniString.hpp"
#include "api/element_operation_groups.hpp"
#include "model/model.hpp"
#include "session.hpp"
#include "trace.hpp"

namespace planhost {

namespace {

GSErrCode CallUndoableCommand(API_Token token, const GS::uchar_t* title,
                              API_UndoableCommandProc command, void* userData) noexcept {
    Session& session = Session::Current();
    return session.Call(token, "ACAPI_CallUndoableCommand", 0, [&](std::string& details) {
        if (title == nullptr || command == nullptr) return APIERR_BADPARS;
        std::string utf8 = GS::UniString(title).ToCStr(GS::CC_UTF8);
        details = QuoteForTrace(utf8);
        Model& model = session.model();
        model.BeginUndoStep(utf8);
        GSErrCode result = command(userData);
        model.EndUndoStep(result == NoError);
        return result;
    });
}

}  // namespace

void FillUndoOperations(API_EntryTable& table) {
    table.callUndoableCommand = CallUndoableCommand;
}

}  // namespace planhost
