// The Update points command on an arbitrary points file, run whole against a small host of
// three placed measured points (two carry 7, one -12) and one design point (8). Besides not
// crashing: only listed measured points are changed, only in the five fields that the command
// may change, and every host handle that the command took is given back.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>

#include "DG/Interaction.hpp"
#include "GS/HandleCount.hpp"
#include "GS/Memory.hpp"
#include "frame/commands.hpp"
#include "frame/host_api.hpp"
#include "fuzz_files.hpp"

namespace {

constexpr Int32 kPartIndex = 3;
constexpr char16_t kMeasuredStyle[] = u"Cross in Circle";

struct PlacedPoint {
    const char16_t* id;
    const char16_t* style;
};

// GUID i + 1 is point i.
constexpr PlacedPoint kPoints[] = {
    {u"7", kMeasuredStyle}, {u"-12", kMeasuredStyle}, {u"7", kMeasuredStyle}, {u"8", u"Cone"}};
constexpr Int32 kPointCount = Int32(std::size(kPoints));

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

API_Guid GuidOf(Int32 i) {
    API_Guid guid{};
    guid.time_low = UInt32(i + 1);
    return guid;
}

Int32 PointOf(const API_Guid& guid) {
    const Int32 i = Int32(guid.time_low) - 1;
    return guid == GuidOf(i) && i >= 0 && i < kPointCount ? i : -1;
}

template <typename T>
T** HandleOf(Int64 count) {
    T** handle = BMAllocateTypedHandle<T>(count);
    std::memset(*handle, 0, std::size_t(count) * sizeof(T));
    return handle;
}

void CopyText(const char16_t* text, GS::uchar_t* out) {
    std::memcpy(out, text, (std::char_traits<char16_t>::length(text) + 1) * sizeof(char16_t));
}

API_AddParType** ParametersOf(const char16_t* style) {
    API_AddParType** params = HandleOf<API_AddParType>(2);
    for (API_AddParType& param : std::span(*params, 2)) param.typeID = APIParT_CString;
    std::strcpy((*params)[0].name, "strMarkerStyle");
    CopyText(style, (*params)[0].value.uStr);
    std::strcpy((*params)[1].name, "strMarkerStyle3D");
    return params;
}

GSErrCode ListObjects(API_Token, API_ElemTypeID, API_Guid*** guids, Int32* count, UInt32, Int32,
                      const void*) {
    *guids = HandleOf<API_Guid>(kPointCount);
    for (Int32 i = 0; i < kPointCount; ++i) (**guids)[i] = GuidOf(i);
    *count = kPointCount;
    return NoError;
}

GSErrCode GetObject(API_Token, API_Element* element, UInt32) {
    const Int32 i = PointOf(element->header.guid);
    if (i < 0) return APIERR_BADID;
    element->header.hasMemo = true;
    element->object.libInd = kPartIndex;
    return NoError;
}

GSErrCode GetMemo(API_Token, const API_Guid* guid, API_ElementMemo* memo, UInt64 mask) {
    const Int32 i = PointOf(*guid);
    if (i < 0) return APIERR_BADID;
    if (mask & APIMemoMask_ElemInfoString) {
        memo->elemInfoString = HandleOf<GS::uchar_t>(8);
        CopyText(kPoints[i].id, *memo->elemInfoString);
    }
    if (mask & APIMemoMask_AddPars) memo->params = ParametersOf(kPoints[i].style);
    return NoError;
}

GSErrCode DisposeMemo(API_Token, API_ElementMemo* memo) {
    BMKillTypedHandle(&memo->elemInfoString);
    BMKillTypedHandle(&memo->params);
    return NoError;
}

GSErrCode DisposeParameters(API_Token, API_AddParType*** params) {
    BMKillTypedHandle(params);
    return NoError;
}

GSErrCode SearchPart(API_Token, API_LibPart* part, bool, bool) {
    if (std::u16string_view(part->file_UName) != u"Stakemark.gsm") return APIERR_NOLIBPART;
    part->index = kPartIndex;
    return NoError;
}

GSErrCode GetPart(API_Token, API_LibPart* part) {
    return part->index == kPartIndex ? NoError : APIERR_BADINDEX;
}

GSErrCode GetPartParameters(API_Token, Int32 libInd, double*, double*, Int32* count,
                            API_AddParType*** params) {
    if (libInd != kPartIndex) return APIERR_BADINDEX;
    *params = ParametersOf(u"Cone");
    *count = 2;
    return NoError;
}

// The five fields that Update may change, and no other byte.
bool IsUpdateMask(const API_Element& mask) {
    API_Element expected{};
    ACAPI_ELEMENT_MASK_SET(expected, API_ObjectType, pos.x);
    ACAPI_ELEMENT_MASK_SET(expected, API_ObjectType, pos.y);
    ACAPI_ELEMENT_MASK_SET(expected, API_ObjectType, level);
    ACAPI_ELEMENT_MASK_SET(expected, API_ObjectType, xRatio);
    ACAPI_ELEMENT_MASK_SET(expected, API_ObjectType, yRatio);
    return std::memcmp(&mask, &expected, sizeof mask) == 0;
}

GSErrCode ChangeObject(API_Token, API_Element* element, const API_Element* mask,
                       const API_ElementMemo* memo, UInt64, bool) {
    const Int32 i = PointOf(element->header.guid);
    Require(i >= 0 && kPoints[i].style == kMeasuredStyle, "changed a point that is not listed");
    Require(mask != nullptr && IsUpdateMask(*mask), "changed more than the five fields");
    Require(memo == nullptr, "changed a memo");
    return NoError;
}

// New points are created quietly; their parameter changes are accepted and go nowhere.
GSErrCode GetDefaults(API_Token, API_Element*, API_ElementMemo*) {
    return NoError;
}

GSErrCode RunUndoable(API_Token, const GS::uchar_t*, API_UndoableCommandProc command,
                      void* userData) {
    return command(userData);
}

GSErrCode CreateObject(API_Token, API_Element* element, API_ElementMemo* memo) {
    Require(memo != nullptr && memo->elemInfoString != nullptr, "a new point without a number");
    element->header.guid = GuidOf(kPointCount + 1);
    return NoError;
}

GSErrCode AcceptParameters(API_Token, GSType, void*, void*, void*, void*) {
    return NoError;
}

API_EntryTable SmallHost() {
    API_EntryTable table{};
    table.elementGetElemList = ListObjects;
    table.elementGet = GetObject;
    table.elementGetMemo = GetMemo;
    table.disposeElemMemoHdls = DisposeMemo;
    table.disposeAddParHdl = DisposeParameters;
    table.libPartSearch = SearchPart;
    table.libPartGet = GetPart;
    table.libPartGetParams = GetPartParameters;
    table.elementChange = ChangeObject;
    table.elementGetDefaults = GetDefaults;
    table.callUndoableCommand = RunUndoable;
    table.elementCreate = CreateObject;
    table.goodies = AcceptParameters;
    return table;
}

// Every file dialog picks the input file.
class PickInput : public DG::InteractionDriver {
public:
    explicit PickInput(const IO::Location& input) : input_(input) {}
    bool AnswerFileDialog(const DG::FileDialogRequest&, IO::Location* chosen) override {
        *chosen = input_;
        return true;
    }
    short AnswerAlert(const DG::AlertRequest&) override { return 1; }
    void DriveModalDialog(DG::ModalDialogSession&) override {}

private:
    IO::Location input_;
};

std::string Setup() {
    const std::string& folder = ScratchFolder();
    ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    const std::string settingsFolder = folder + "/Orvane/Stakewise";
    std::string command = "mkdir -p '" + settingsFolder + "'";
    Require(std::system(command.c_str()) == 0, "settings folder");
    const char settings[] = "SymbolSize=2\r\nLibrary=2\r\n";
    WriteScratchFile(settingsFolder + "/Stakewise.ini",
                     reinterpret_cast<const std::uint8_t*>(settings), sizeof settings - 1);
    frame::StoreEntryTable(SmallHost());
    frame::StoreToken(1);
    return folder + "/points.txt";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = Setup();
    static PickInput driver(IO::Location(GS::UniString(path, GS::CC_UTF8)));
    DG::SetInteractionDriver(&driver);
    WriteScratchFile(path, data, size);
    const Int64 handlesBefore = BMOutstandingHandles();
    UpdatePoints();
    Require(BMOutstandingHandles() == handlesBefore, "host handles left behind");
    return 0;
}
