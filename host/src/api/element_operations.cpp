// The element operations of the entry table: defaults, create, list, get, memo, change and the
// disposal of what they hand out. Each slot is a noexcept trampoline into the session, which
// checks the token, applies the fault rules and traces the call.
#include <cstring>

#include "GS/Memory.hpp"
#include "api/element_operation_groups.hpp"
#include "api/element_records.hpp"
#include "model/model.hpp"
#include "session.hpp"

namespace planhost {

namespace {

// What a host's object tool starts from.
void FillDefaultObject(API_Element* element) {
    ObjectElement defaults;
    FillObjectRecord(defaults, element);
}

GSErrCode WithSession(API_Token token, const char* op,
                      FunctionRef<GSErrCode(Session&, Model&)> body) noexcept {
    Session& session = Session::Current();
    return session.Call(token, op, 0, [&](std::string&) { return body(session, session.model()); });
}

GSErrCode GetDefaults(API_Token token, API_Element* element, API_ElementMemo* memo) noexcept {
    return WithSession(token, "ACAPI_Element_GetDefaults", [&](Session&, Model&) -> GSErrCode {
        if (element == nullptr) return APIERR_BADPARS;
        if (element->header.typeID != API_ObjectID) return APIERR_BADID;
        FillDefaultObject(element);
        // The object tool's default element ID (empty); the parameters come with the part.
        if (memo != nullptr && !WriteIdHandle(u"", &memo->elemInfoString)) return APIERR_MEMFULL;
        return NoError;
    });
}

// The memo of a new or changed object: its ID text and parameters, the part's defaults for
// parameters that the memo does not bring.
void TakeMemo(const API_ElementMemo& memo, UInt64 mask, Model& model, ObjectElement* element) {
    if (mask & APIMemoMask_ElemInfoString) element->id = ReadIdHandle(memo.elemInfoString);
    if ((mask & APIMemoMask_AddPars) && memo.params != nullptr) {
        element->params = model.ShareParameters(ReadParameterHandle(memo.params));
    } else if (!element->hasMemo) {
        const LibraryPart* part = model.library().Find(element->libInd);
        if (part != nullptr) element->params = model.ShareParameters(part->parameters);
    }
    element->hasMemo = true;
}

GSErrCode Create(API_Token token, API_Element* element, API_ElementMemo* memo) noexcept {
    return WithSession(token, "ACAPI_Element_Create", [&](Session& session, Model& model) {
        if (element == nullptr) return APIERR_BADPARS;
        if (element->header.typeID != API_ObjectID) return APIERR_BADID;
        // Objects live in the model; a section or a layout cannot take one.
        if (!ModelIsVisible(session)) return APIERR_REFUSEDCMD;
        ObjectElement object;
        ApplyAllFields(*element, &object);
        if (memo != nullptr) TakeMemo(*memo, APIMemoMask_All, model, &object);
        GSErrCode error = model.Add(object);
        if (error == NoError) FillObjectRecord(object, element);
        return error;
    });
}

GSErrCode GetElemList(API_Token token, API_ElemTypeID typeID, API_Guid*** guids, Int32* count,
                      UInt32 /*filterBits*/, Int32 /*variationID*/,
                      const void* /*renovationFilter*/) noexcept {
    return WithSession(token, "ACAPI_Element_GetElemList", [&](Session& session, Model& model) {
        if (guids == nullptr || count == nullptr) return APIERR_BADPARS;
        if (typeID < 0) return APIERR_BADID;
        *guids = nullptr;
        *count = 0;
        // Only objects exist in this host; type 0 asks for every type.
        bool listed = ModelIsVisible(session) && (typeID == API_ObjectID || typeID == 0);
        const std::vector<ObjectElement>& elements = model.Elements();
        if (!listed || elements.empty()) return NoError;
        API_Guid** list = BMAllocateTypedHandle<API_Guid>(Int64(elements.size()));
        if (list == nullptr) return APIERR_MEMFULL;
        for (std::size_t i = 0; i < elements.size(); ++i) (*list)[i] = elements[i].guid;
        *guids = list;
        *count = Int32(elements.size());
        return NoError;
    });
}

// The object that the GUID names in the current database, or null.
const ObjectElement* FindVisible(Session& session, Model& model, const API_Guid& guid) {
    return ModelIsVisible(session) ? model.Find(guid) : nullptr;
}

GSErrCode Get(API_Token token, API_Element* element, UInt32 /*mask*/) noexcept {
    return WithSession(token, "ACAPI_Element_Get", [&](Session& session, Model& model) {
        if (element == nullptr) return APIERR_BADPARS;
        const ObjectElement* object = FindVisible(session, model, element->header.guid);
        if (object == nullptr) return APIERR_BADELEMENT;
        FillObjectRecord(*object, element);
        return NoError;
    });
}

GSErrCode GetMemo(API_Token token, const API_Guid* guid, API_ElementMemo* memo,
                  UInt64 memoMask) noexcept {
    return WithSession(token, "ACAPI_Element_GetMemo", [&](Session& session, Model& model) {
        if (guid == nullptr || memo == nullptr) return APIERR_BADPARS;
        const ObjectElement* object = FindVisible(session, model, *guid);
        if (object == nullptr) return APIERR_BADELEMENT;
        if (!object->hasMemo) return NoError;  // nothing to fill
        if ((memoMask & APIMemoMask_ElemInfoString) &&
            !WriteIdHandle(object->id, &memo->elemInfoString)) {
            return APIERR_MEMFULL;
        }
        if ((memoMask & APIMemoMask_AddPars) &&
            !WriteParameterRecords(object->ApiParameters(), &memo->params)) {
            return APIERR_MEMFULL;
        }
        return NoError;
    });
}

GSErrCode Change(API_Token token, API_Element* element, const API_Element* mask,
                 const API_ElementMemo* memo, UInt64 memoMask, bool /*withDel*/) noexcept {
    // The object changes in place and keeps its GUID, so with-delete has nothing to remove.
    return WithSession(token, "ACAPI_Element_Change", [&](Session& session, Model& model) {
        if (element == nullptr) return APIERR_BADPARS;
        if (mask == nullptr) return APIERR_NOMASK;
        if (element->header.typeID != API_ObjectID) return APIERR_BADID;
        const ObjectElement* stored = FindVisible(session, model, element->header.guid);
        if (stored == nullptr) return APIERR_BADELEMENT;
        ObjectElement changed = *stored;
        ApplyMaskedFields(*element, *mask, &changed);
        if (memo != nullptr && memoMask != 0) TakeMemo(*memo, memoMask, model, &changed);
        GSErrCode error = model.Replace(changed);
        if (error == NoError) FillObjectRecord(changed, element);
        return error;
    });
}

GSErrCode DisposeAddParHdl(API_Token token, API_AddParType*** addPars) noexcept {
    return WithSession(token, "ACAPI_DisposeAddParHdl", [&](Session&, Model&) {
        if (addPars == nullptr) return APIERR_BADPARS;
        BMKillTypedHandle(addPars);
        return NoError;
    });
}

GSErrCode DisposeElemMemoHdls(API_Token token, API_ElementMemo* memo) noexcept {
    return WithSession(token, "ACAPI_DisposeElemMemoHdls", [&](Session&, Model&) {
        if (memo == nullptr) return APIERR_BADPARS;
        BMKillTypedHandle(&memo->elemInfoString);
        BMKillTypedHandle(&memo->params);
        return NoError;
    });
}

}  // namespace

void FillElementOperations(API_EntryTable& table) {
    table.elementGetDefaults = GetDefaults;
    table.elementCreate = Create;
    table.elementGetElemList = GetElemList;
    table.elementGet = Get;
    table.elementGetMemo = GetMemo;
    table.elementChange = Change;
    table.disposeAddParHdl = DisposeAddParHdl;
    table.disposeElemMemoHdls = DisposeElemMemoHdls;
    FillLibPartOperations(table);
    FillParameterOperations(table);
    FillUndoOperations(table);
}

}  // namespace planhost
