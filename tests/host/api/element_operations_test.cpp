// The host's element operations through the entry table, as the add-on calls them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "GS/HandleCount.hpp"
#include "GS/Memory.hpp"
#include "api/element_records.hpp"
#include "faults.hpp"
#include "host_model_fixture.hpp"
#include "session.hpp"
#include "trace.hpp"
#include "views.hpp"

namespace planhost_test {
namespace {

class ElementOperationsTest : public HostModelTest {
public:
    ElementOperationsTest()
        : session_(Open(), std::make_unique<planhost::Views>(),
                   std::make_unique<planhost::Faults>(), std::make_unique<planhost::Trace>()) {
        std::memset(&table_, 0, sizeof table_);
        planhost::FillElementOperations(table_);
        token_ = session_.IssueToken();
    }

    API_LibPart Search(std::u16string_view name, GSErrCode expected = NoError) {
        API_LibPart part{};
        std::copy(name.begin(), name.end(), part.file_UName);
        EXPECT_EQ(table_.libPartSearch(token_, &part, false, false), expected);
        return part;
    }

    // Places a Stakemark as the add-on does: defaults, the part's parameters, the ID text.
    API_Element Create(const char16_t* id, double x, double y, GSErrCode expected = NoError) {
        API_Element element;
        API_ElementMemo memo{};
        std::memset(&element, 0, sizeof element);
        element.header.typeID = API_ObjectID;
        EXPECT_EQ(table_.elementGetDefaults(token_, &element, &memo), NoError);
        element.object.libInd = Search(u"Stakemark.gsm").index;
        element.header.layer = 0;
        element.header.drawIndex = 0xFF;
        double a, b;
        Int32 count = 0;
        EXPECT_EQ(
            table_.libPartGetParams(token_, element.object.libInd, &a, &b, &count, &memo.params),
            NoError);
        element.object.pos = {x, y};
        planhost::WriteIdHandle(id, &memo.elemInfoString);  // resizes the defaults' handle
        EXPECT_EQ(table_.elementCreate(token_, &element, &memo), expected);
        EXPECT_EQ(table_.disposeElemMemoHdls(token_, &memo), NoError);
        return element;
    }

    std::vector<API_Guid> List(API_ElemTypeID type = API_ObjectID) {
        API_Guid** guids = nullptr;
        Int32 count = -1;
        EXPECT_EQ(table_.elementGetElemList(token_, type, &guids, &count, 0, 0, nullptr), NoError);
        std::vector<API_Guid> list(guids ? *guids : nullptr, guids ? *guids + count : nullptr);
        BMKillTypedHandle(&guids);
        return list;
    }

    GSErrCode Goodies(GSType selector, void* par = nullptr) {
        return table_.goodies(token_, selector, par, nullptr, nullptr, nullptr);
    }

    std::u16string MarkerStyle(const API_Guid& guid) {
        API_ElementMemo memo{};
        EXPECT_EQ(table_.elementGetMemo(token_, &guid, &memo, APIMemoMask_AddPars), NoError);
        planhost::ParameterList list = planhost::ReadParameterHandle(memo.params);
        table_.disposeElemMemoHdls(token_, &memo);
        const planhost::Parameter* style = FindParameter(list, "strMarkerStyle");
        return style ? style->text : u"<none>";
    }

    planhost::Session session_;
    API_EntryTable table_;
    API_Token token_ = 0;
};

TEST_F(ElementOperationsTest, DefaultsAndMemosFillWhatIsAskedAndEveryHandleIsCountedUntilFreed) {
    const Int64 before = BMOutstandingHandles();
    API_Element element;
    API_ElementMemo memo{};
    std::memset(&element, 0, sizeof element);
    element.header.typeID = 1;
    EXPECT_EQ(table_.elementGetDefaults(token_, &element, &memo), APIERR_BADID);
    element.header.typeID = API_ObjectID;
    ASSERT_EQ(table_.elementGetDefaults(token_, &element, &memo), NoError);
    EXPECT_EQ(element.header.layer, 1);
    EXPECT_EQ(element.object.xRatio, 1.0);
    ASSERT_NE(memo.elemInfoString, nullptr);
    EXPECT_EQ(memo.params, nullptr);
    EXPECT_EQ(BMOutstandingHandles(), before + 1);
    EXPECT_EQ(table_.disposeElemMemoHdls(token_, &memo), NoError);
    EXPECT_EQ(memo.elemInfoString, nullptr);
    EXPECT_EQ(BMOutstandingHandles(), before);

    const API_Guid guid = Create(u"-12", 1, 2).header.guid;
    ASSERT_EQ(table_.elementGetMemo(token_, &guid, &memo, APIMemoMask_ElemInfoString), NoError);
    EXPECT_EQ(planhost::ReadIdHandle(memo.elemInfoString), u"-12");
    EXPECT_EQ(memo.params, nullptr);  // not asked for
    table_.disposeElemMemoHdls(token_, &memo);
    MarkerStyle(List().front());
    EXPECT_EQ(BMOutstandingHandles(), before);
}

TEST_F(ElementOperationsTest, ObjectsLiveInTheModelViewsOnly) {
    API_Element placed = Create(u"1", 0, 0);
    session_.views().ChangeCurrent(APIWind_3DModelID);
    EXPECT_EQ(List().size(), 1u);
    Create(u"2", 1, 1);
    EXPECT_EQ(List(0).size(), 2u);  // type 0: every type
    for (API_DatabaseTypeID view : {APIWind_SectionID, APIWind_LayoutID}) {
        session_.views().ChangeCurrent(view);
        EXPECT_TRUE(List().empty());
        Create(u"3", 2, 2, APIERR_REFUSEDCMD);
        API_Element read = placed;
        EXPECT_EQ(table_.elementGet(token_, &read, 0), APIERR_BADELEMENT);
    }
    session_.views().ChangeCurrent(APIWind_FloorPlanID);
    EXPECT_EQ(List().size(), 2u);
    placed.header.guid.time_low ^= 1;  // no such object
    EXPECT_EQ(table_.elementGet(token_, &placed, 0), APIERR_BADELEMENT);
}

TEST_F(ElementOperationsTest, ChangeTouchesOnlyMaskedFieldsAnyByteOfAFieldCounts) {
    API_Element placed = Create(u"7", 1, 2);
    API_Element request = placed;
    request.object.pos = {10, 20};
    request.object.level = 3;
    request.object.xRatio = 4;
    API_Element mask;
    ACAPI_ELEMENT_MASK_CLEAR(mask);
    EXPECT_EQ(table_.elementChange(token_, &request, nullptr, nullptr, 0, true), APIERR_NOMASK);
    ACAPI_ELEMENT_MASK_SET(mask, API_ObjectType, pos.x);
    reinterpret_cast<UInt8*>(&mask.object.level)[7] = 1;  // one byte flags the field
    ASSERT_EQ(table_.elementChange(token_, &request, &mask, nullptr, 0, true), NoError);
    EXPECT_EQ(request.object.pos.x, 10);
    EXPECT_EQ(request.object.pos.y, 2);  // not masked
    EXPECT_EQ(request.object.level, 3);
    EXPECT_EQ(request.object.xRatio, placed.object.xRatio);
    EXPECT_TRUE(request.header.guid == placed.header.guid);
    EXPECT_GT(request.header.modiStamp, placed.header.modiStamp);
}

TEST_F(ElementOperationsTest, ParameterSessionChangesTheObjectOnlyThroughChangeParameters) {
    API_Element placed = Create(u"7", 1, 2);
    API_ChangeParamType change{};
    std::strcpy(change.name, "strMarkerStyle");
    change.uStrValue = u"Cross in Circle";
    EXPECT_EQ(Goodies(APIAny_ChangeAParameterID, &change), APIERR_NOTSESSION);
    API_ParamOwnerType owner{placed.header.guid, 0, API_ObjectID};
    ASSERT_EQ(Goodies(APIAny_OpenParametersID, &owner), NoError);
    ASSERT_EQ(Goodies(APIAny_ChangeAParameterID, &change), NoError);
    API_ChangeParamType unknown = change;
    std::strcpy(unknown.name, "strMarkerstyle");
    EXPECT_EQ(Goodies(APIAny_ChangeAParameterID, &unknown), APIERR_BADPARAMNAME);
    API_GetParamsType got{};
    ASSERT_EQ(Goodies(APIAny_GetActParametersID, &got), NoError);
    EXPECT_EQ(MarkerStyle(placed.header.guid), u"Triangle");  // the session is a copy

    API_Element defaults, mask;
    ACAPI_ELEMENT_MASK_CLEAR(defaults);
    ACAPI_ELEMENT_MASK_CLEAR(mask);
    defaults.header.typeID = API_ObjectID;
    API_ElementMemo memo{};
    memo.params = got.params;
    EXPECT_EQ(table_.elementChangeParameters(token_, &placed.header, 1, &defaults, &memo, nullptr),
              APIERR_NOMASK);
    ASSERT_EQ(table_.elementChangeParameters(token_, &placed.header, 1, &defaults, &memo, &mask),
              NoError);
    EXPECT_EQ(table_.disposeAddParHdl(token_, &got.params), NoError);
    EXPECT_EQ(Goodies(APIAny_CloseParametersID), NoError);
    EXPECT_EQ(Goodies(APIAny_CloseParametersID), APIERR_NOTSESSION);
    EXPECT_EQ(MarkerStyle(placed.header.guid), u"Cross in Circle");
}

TEST_F(ElementOperationsTest, LibrarySearchIsExactAndParametersComeAsANewHandleEachTime) {
    Search(u"Stakemark.GSM", APIERR_NOLIBPART);
    API_LibPart part = Search(u"", APIERR_NOLIBPART);
    EXPECT_EQ(Search(u"Tree.gsm").index, 3);
    part.index = 4;
    EXPECT_EQ(table_.libPartGet(token_, &part), APIERR_BADINDEX);
    API_ParamOwnerType noPart{API_Guid{}, 4, API_ObjectID};  // a part's defaults, by index
    EXPECT_EQ(Goodies(APIAny_OpenParametersID, &noPart), APIERR_BADINDEX);

    double a = 0, b = 0;
    Int32 count = 0;
    API_AddParType** first = nullptr;
    API_AddParType** second = nullptr;
    ASSERT_EQ(table_.libPartGetParams(token_, 2, &a, &b, &count, &first), NoError);
    ASSERT_EQ(table_.libPartGetParams(token_, 2, &a, &b, &count, &second), NoError);
    EXPECT_NE(first, second);
    EXPECT_EQ(BMHandleCount(first), count);
    EXPECT_EQ(table_.libPartGetParams(token_, 0, &a, &b, &count, &first), APIERR_BADINDEX);
    table_.disposeAddParHdl(token_, &first);
    table_.disposeAddParHdl(token_, &second);
}

TEST_F(ElementOperationsTest, UndoableCommandIsOneStepAndAFailedOneLeavesNothing) {
    struct Call {
        ElementOperationsTest* test;
        GSErrCode result;
    };
    auto body = [](void* data) -> GSErrCode {
        auto* call = static_cast<Call*>(data);
        call->test->Create(u"1", 0, 0);
        return call->result;
    };
    for (Call call : {Call{this, APIERR_GENERAL}, Call{this, NoError}}) {
        EXPECT_EQ(table_.callUndoableCommand(token_, u"Create text", body, &call), call.result);
        EXPECT_EQ(List().size(), call.result == NoError ? 1u : 0u);
    }
    EXPECT_EQ(session_.model().Undo(), "Create text");
    EXPECT_TRUE(List().empty());
}

}  // namespace
}  // namespace planhost_test
