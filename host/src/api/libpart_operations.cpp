// The library-part operations of the entry table: search by file name, get, default parameters.
#include <algorithm>
#include <cstring>

#include "GS/Memory.hpp"
#include "GS/UniString.hpp"
#include "api/element_operation_groups.hpp"
#include "api/element_records.hpp"
#include "model/model.hpp"
#include "session.hpp"
#include "trace.hpp"

namespace planhost {

namespace {

// Text of a fixed Unicode field: up to its NUL, never past its end.
template <std::size_t N>
std::u16string FieldText(const GS::uchar_t (&field)[N]) {
    return std::u16string(field, std::find(field, field + N, GS::uchar_t(0)));
}

template <std::size_t N>
void SetFieldText(GS::uchar_t (&field)[N], const std::u16string& text) {
    std::memset(field, 0, sizeof field);
    std::memcpy(field, text.data(), std::min(text.size(), N - 1) * sizeof(GS::uchar_t));
}

void FillPartRecord(const LibraryPart& part, API_LibPart* record) {
    record->typeID = APILib_ObjectID;
    record->index = part.index;
    SetFieldText(record->file_UName, part.fileName);
    SetFieldText(record->docu_UName, part.name);
    record->isPlaceable = part.placeable;
}

GSErrCode Search(API_Token token, API_LibPart* part, bool /*createIfMissing*/,
                 bool onlyPlaceable) noexcept {
    // This host cannot make parts; a missing one stays missing whatever createIfMissing says.
    Session& session = Session::Current();
    return session.Call(token, "ACAPI_LibPart_Search", 0, [&](std::string& details) {
        if (part == nullptr) return APIERR_BADPARS;
        std::u16string name = FieldText(part->file_UName);
        details = QuoteForTrace(GS::UniString(name).ToCStr(GS::CC_UTF8));
        const LibraryPart* found = session.model().library().FindByFileName(name);
        if (found == nullptr || (onlyPlaceable && !found->placeable)) return APIERR_NOLIBPART;
        FillPartRecord(*found, part);
        return NoError;
    });
}

GSErrCode Get(API_Token token, API_LibPart* part) noexcept {
    Session& session = Session::Current();
    return session.Call(token, "ACAPI_LibPart_Get", 0, [&](std::string&) {
        if (part == nullptr) return APIERR_BADPARS;
        const LibraryPart* found = session.model().library().Find(part->index);
        if (found == nullptr) return APIERR_BADINDEX;
        FillPartRecord(*found, part);
        return NoError;
    });
}

GSErrCode GetParams(API_Token token, Int32 libInd, double* a, double* b, Int32* addParNum,
                    API_AddParType*** addPars) noexcept {
    Session& session = Session::Current();
    return session.Call(token, "ACAPI_LibPart_GetParams", 0, [&](std::string&) {
        if (a == nullptr || b == nullptr || addParNum == nullptr || addPars == nullptr)
            return APIERR_BADPARS;
        const LibraryPart* found = session.model().library().Find(libInd);
        if (found == nullptr) return APIERR_BADINDEX;
        // Always a new handle of the defaults, also when the caller's variable held one.
        API_AddParType** list = nullptr;
        if (!WriteParameterRecords(found->parameterRecords, &list)) return APIERR_MEMFULL;
        *a = found->a;
        *b = found->b;
        *addParNum = Int32(found->parameters.size());
        *addPars = list;
        return NoError;
    });
}

}  // namespace

void FillLibPartOperations(API_EntryTable& table) {
    table.libPartSearch = Search;
    table.libPartGet = Get;
    table.libPartGetParams = GetParams;
}

}  // namespace planhost
