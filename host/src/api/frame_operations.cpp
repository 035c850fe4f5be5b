// The frame's host operations: menus, databases and windows, point input, progress, reports.
// Each slot is a noexcept trampoline into the session, which checks the token, applies the
// fault rules and traces the call.
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "GS/UniString.hpp"
#include "interaction.hpp"
#include "menus.hpp"
#include "session.hpp"
#include "trace.hpp"
#include "views.hpp"

namespace planhost {

namespace {

std::string TypeDetail(API_DatabaseTypeID type) {
    return "type=" + std::to_string(type);
}

// ---- Menus -------------------------------------------------------------------------------------

GSErrCode RegisterMenu(API_Token token, Int16 menuStrResID, Int16 promptStrResID, Int32 menuPosCode,
                       Int32 menuFlags) noexcept {
    Session& session = Session::Current();
    // Menus are registered before Initialize hands out the token.
    return session.CallDescribed(
        token, "ACAPI_Register_Menu", 0,
        [&] {
            return "menu=" + std::to_string(menuStrResID) + " flags=" + std::to_string(menuFlags);
        },
        [&](std::string&) {
            return session.menus().Register(menuStrResID, promptStrResID, menuPosCode, menuFlags);
        },
        /*allowTokenZero=*/true);
}

GSErrCode InstallMenuHandler(API_Token token, Int16 menuStrResID,
                             API_MenuCommandProc handler) noexcept {
    Session& session = Session::Current();
    return session.CallDescribed(
        token, "ACAPI_Install_MenuHandler", 0,
        [&] { return "menu=" + std::to_string(menuStrResID); },
        [&](std::string&) { return session.menus().InstallHandler(menuStrResID, handler); });
}

// ---- Databases and windows ---------------------------------------------------------------------

GSErrCode Database(API_Token token, GSType selector, void* par1, void* /*par2*/,
                   void* /*par3*/) noexcept {
    Session& session = Session::Current();
    auto* info = static_cast<API_DatabaseInfo*>(par1);
    return session.CallDescribed(
        token, "ACAPI_Database", selector,
        // 'GDAT' shows what it filled in, 'CDAT' what it was asked for.
        [&] { return info != nullptr ? TypeDetail(info->typeID) : std::string(); },
        [&](std::string&) -> GSErrCode {
            if (selector != APIDb_GetCurrentDatabaseID && selector != APIDb_ChangeCurrentDatabaseID)
                return APIERR_BADID;
            if (info == nullptr) return APIERR_BADPARS;
            if (selector == APIDb_ChangeCurrentDatabaseID)
                return session.views().ChangeCurrent(info->typeID);
            session.views().GetCurrent(info);
            return NoError;
        });
}

GSErrCode Automate(API_Token token, GSType selector, void* par1, void* /*par2*/,
                   void* /*par3*/) noexcept {
    Session& session = Session::Current();
    const auto* window = static_cast<const API_WindowInfo*>(par1);
    return session.CallDescribed(
        token, "ACAPI_Automate", selector,
        [&] { return window != nullptr ? TypeDetail(window->typeID) : std::string(); },
        [&](std::string&) -> GSErrCode {
            if (selector != APIDo_ChangeWindowID) return APIERR_BADID;
            if (window == nullptr) return APIERR_BADPARS;
            return session.views().BringToFront(window->typeID);
        });
}

// ---- Point input and progress ------------------------------------------------------------------

GSErrCode GetPoint(Session& session, API_GetPointType* point, std::string& details) {
    if (point == nullptr) return APIERR_BADPARS;
    const std::string prompt(point->prompt, strnlen(point->prompt, sizeof point->prompt));
    details = "front=" + std::to_string(session.views().front()) + ' ' +
              QuoteForTrace(GS::UniString(prompt.c_str()).ToCStr(GS::CC_UTF8));
    const std::optional<API_Coord> click = session.interaction().NextClick();
    if (!click) return APIERR_CANCEL;
    point->pos = {click->x, click->y, 0.0};
    details += " x=" + FormatNumber(click->x) + " y=" + FormatNumber(click->y);
    return NoError;
}

GSErrCode Interface(API_Token token, GSType selector, void* par1, void* /*par2*/,
                    void* /*par3*/) noexcept {
    Session& session = Session::Current();
    return session.Call(token, "ACAPI_Interface", selector, [&](std::string& details) -> GSErrCode {
        switch (selector) {
            case APIIo_GetPointID:
                return GetPoint(session, static_cast<API_GetPointType*>(par1), details);
            case APIIo_SetProcessValueID: {
                const auto* value = static_cast<const Int32*>(par1);
                if (value == nullptr) return APIERR_BADPARS;
                details = "value=" + std::to_string(*value);
                session.interaction().ReportProgress(*value);
                return NoError;
            }
            case APIIo_IsProcessCanceledID:
                return session.interaction().IsCancelRequested() ? 1 : 0;
            case APIIo_CloseProcessWindowID:
                return NoError;
            default:
                return APIERR_BADID;
        }
    });
}

// ---- Reports -----------------------------------------------------------------------------------

GSErrCode WriteReport(API_Token token, const GS::uchar_t* text, bool withDialog) noexcept {
    Session& session = Session::Current();
    return session.Call(token, "ACAPI_WriteReport", 0, [&](std::string& details) -> GSErrCode {
        if (text == nullptr) return APIERR_BADPARS;
        const std::string utf8 = GS::UniString(text).ToCStr(GS::CC_UTF8);
        details = QuoteForTrace(utf8) + (withDialog ? " dialog=1" : " dialog=0");
        if (withDialog) {
            session.interaction().ShowAlert(utf8);
        } else {
            std::printf("report: %s\n", utf8.c_str());
            std::fflush(stdout);
        }
        return NoError;
    });
}

}  // namespace

void FillFrameOperations(API_EntryTable& table) {
    table.registerMenu = RegisterMenu;
    table.installMenuHandler = InstallMenuHandler;
    table.database = Database;
    table.automate = Automate;
    table.userInterface = Interface;
    table.writeReport = WriteReport;
}

}  // namespace planhost
