// The parameter operations of the entry table: the parameter session of one placed object
// ('OPAR' opens it on a copy of the object's list, 'CHGP' changes one value of the copy, 'GPAR'
// hands the copy out, 'CPAR' closes it) and ACAPI_Element_ChangeParameters, which writes a list
// into objects. The session changes no object by itself.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "api/element_operation_groups.hpp"
#include "api/element_records.hpp"
#include "model/model.hpp"
#include "session.hpp"

namespace planhost {

namespace {

constexpr std::size_t kMaxTextLength = 255;

struct ParameterSession {
    const Session* owner = nullptr;
    ParameterList list;
    double a = 0.0;
    double b = 0.0;
};

std::optional<ParameterSession>& OpenSession() {
    static std::optional<ParameterSession> open;
    return open;
}

// The open parameter session of this planhost session, or null.
ParameterSession* FindOpenSession(const Session& session) {
    std::optional<ParameterSession>& open = OpenSession();
    return open && open->owner == &session ? &*open : nullptr;
}

GSErrCode OpenParameters(Session& session, const API_ParamOwnerType* owner) {
    if (owner == nullptr) return APIERR_BADPARS;
    Model& model = session.model();
    ParameterSession opened{&session, {}, 0.0, 0.0};
    if (!(owner->guid == API_Guid{})) {
        const ObjectElement* object = ModelIsVisible(session) ? model.Find(owner->guid) : nullptr;
        if (object == nullptr) return APIERR_BADELEMENT;
        const LibraryPart* part = model.library().Find(object->libInd);
        opened.list = object->hasMemo || part == nullptr ? object->Parameters() : part->parameters;
        opened.a = object->a;
        opened.b = object->b;
    } else {
        // No object: the defaults of the part.
        const LibraryPart* part = model.library().Find(owner->libInd);
        if (part == nullptr) return APIERR_BADINDEX;
        opened.list = part->parameters;
        opened.a = part->a;
        opened.b = part->b;
    }
    OpenSession() = std::move(opened);
    return NoError;
}

Parameter* FindTarget(ParameterSession& open, const API_ChangeParamType& change) {
    if (change.index > 0) {
        std::size_t at = std::size_t(change.index - 1);
        return at < open.list.size() ? &open.list[at] : nullptr;
    }
    std::string name(change.name, strnlen(change.name, sizeof change.name));
    return FindParameter(open.list, name);
}

GSErrCode ChangeAParameter(Session& session, const API_ChangeParamType* change) {
    ParameterSession* open = FindOpenSession(session);
    if (open == nullptr) return APIERR_NOTSESSION;
    if (change == nullptr) return APIERR_BADPARS;
    Parameter* target = FindTarget(*open, *change);
    if (target == nullptr) return APIERR_BADPARAMNAME;
    if (target->IsText()) {
        if (change->uStrValue == nullptr) return APIERR_BADPARS;
        const GS::uchar_t* text = change->uStrValue;
        const GS::uchar_t* end = std::find(text, text + kMaxTextLength, GS::uchar_t(0));
        target->text.assign(text, end);  // a longer text is cut to what the list can hold
    } else {
        if (!std::isfinite(change->realValue)) return APIERR_BADVALUE;
        target->real = change->realValue;
    }
    return NoError;
}

GSErrCode GetActParameters(Session& session, API_GetParamsType* result) {
    ParameterSession* open = FindOpenSession(session);
    if (open == nullptr) return APIERR_NOTSESSION;
    if (result == nullptr) return APIERR_BADPARS;
    API_AddParType** list = nullptr;
    if (!WriteParameterHandle(open->list, &list)) return APIERR_MEMFULL;
    result->a = open->a;
    result->b = open->b;
    result->params = list;
    return NoError;
}

GSErrCode CloseParameters(Session& session) {
    if (FindOpenSession(session) == nullptr) return APIERR_NOTSESSION;
    OpenSession().reset();
    return NoError;
}

GSErrCode Goodies(API_Token token, GSType selector, void* par1, void* /*par2*/, void* /*par3*/,
                  void* /*par4*/) noexcept {
    Session& session = Session::Current();
    return session.Call(token, "ACAPI_Goodies", selector, [&](std::string&) -> GSErrCode {
        switch (selector) {
            case APIAny_OpenParametersID:
                return OpenParameters(session, static_cast<const API_ParamOwnerType*>(par1));
            case APIAny_ChangeAParameterID:
                return ChangeAParameter(session, static_cast<const API_ChangeParamType*>(par1));
            case APIAny_GetActParametersID:
                return GetActParameters(session, static_cast<API_GetParamsType*>(par1));
            case APIAny_CloseParametersID:
                return CloseParameters(session);
            default:
                return APIERR_BADID;
        }
    });
}

// Every object is looked up before any changes, so an unknown GUID changes nothing.
GSErrCode ChangeParameters(API_Token token, const API_Elem_Head* heads, Int32 count,
                           const API_Element* defPars, const API_ElementMemo* defMemo,
                           const API_Element* mask) noexcept {
    Session& session = Session::Current();
    return session.Call(token, "ACAPI_Element_ChangeParameters", 0, [&](std::string&) {
        if (mask == nullptr) return APIERR_NOMASK;
        if (heads == nullptr || count < 1 || defPars == nullptr || defMemo == nullptr)
            return APIERR_BADPARS;
        Model& model = session.model();
        std::vector<ObjectElement> changed;
        changed.reserve(std::size_t(count));
        ParameterList values = ReadParameterHandle(defMemo->params);
        for (Int32 i = 0; i < count; ++i) {
            const ObjectElement* stored =
                ModelIsVisible(session) ? model.Find(heads[i].guid) : nullptr;
            if (stored == nullptr) return APIERR_BADELEMENT;
            ObjectElement object = *stored;
            ApplyMaskedFields(*defPars, *mask, &object);
            if (object.hasMemo && !values.empty()) {
                ParameterList list = object.Parameters();
                MergeParameterValues(values, &list);
                object.params = model.ShareParameters(std::move(list));
            }
            changed.push_back(std::move(object));
        }
        for (ObjectElement& object : changed) {
            if (GSErrCode error = model.Replace(object); error != NoError) return error;
        }
        return NoError;
    });
}

}  // namespace

void FillParameterOperations(API_EntryTable& table) {
    table.goodies = Goodies;
    table.elementChangeParameters = ChangeParameters;
}

}  // namespace planhost
