#include "cli/floor_point_work.hpp"

#include "interaction.hpp"
#include "session.hpp"

namespace planhost {

namespace {

constexpr double kSymbolSize = 1.0;

}  // namespace

FloorPointWork::FloorPointWork(Session& session, const LibraryPart& part,
                               const std::string& measuredStyle, const std::string& measuredStyle3D)
    : session_(session),
      model_(session.model()),
      part_(part),
      measuredStyle_(Utf16(measuredStyle)),
      measuredStyle3D_(Utf16(measuredStyle3D)) {}

void FloorPointWork::Create(const FloorPoint& point, bool measured) {
    ObjectElement element;
    element.libInd = part_.index;
    element.a = kSymbolSize;
    element.b = kSymbolSize;
    element.x = point.x;
    element.y = point.y;
    element.z = point.z;
    element.layer = API_DefaultLayer;
    element.drawIndex = API_DrawOnTop;
    element.hasMemo = true;
    element.id = NumberText(point.number);
    element.params = model_.ShareParameters(part_.parameters);
    model_.BeginUndoStep("Create text");
    const GSErrCode error = model_.Add(element);
    model_.EndUndoStep(error == NoError);
    if (error != NoError || !measured) return;
    SetText(element.guid, "strMarkerStyle", measuredStyle_);
    SetText(element.guid, "strMarkerStyle3D", measuredStyle3D_);
}

void FloorPointWork::ListPoints(std::vector<const ObjectElement*>* measured,
                                std::vector<const ObjectElement*>* design) const {
    std::vector<API_Guid> guids;
    guids.reserve(model_.Elements().size());
    for (const ObjectElement& element : model_.Elements()) guids.push_back(element.guid);
    for (const API_Guid& guid : guids) {
        const ObjectElement* element = model_.Find(guid);
        if (element == nullptr || element->libInd != part_.index) continue;
        const Parameter* style = FindParameter(element->Parameters(), "strMarkerStyle");
        const bool isMeasured = style != nullptr && style->text == measuredStyle_;
        (isMeasured ? measured : design)->push_back(element);
    }
}

void FloorPointWork::Move(const API_Guid& guid, const FloorPoint& point) {
    ObjectElement changed = *model_.Find(guid);
    changed.x = point.x;
    changed.y = point.y;
    changed.z = point.z;
    changed.a = kSymbolSize;
    changed.b = kSymbolSize;
    model_.Replace(changed);
}

void FloorPointWork::ReportProgress(Int32 progress) {
    session_.interaction().ReportProgress(progress);
    session_.interaction().IsCancelRequested();
}

void FloorPointWork::SetText(const API_Guid& guid, std::string_view name,
                             const std::u16string& text) {
    ObjectElement changed = *model_.Find(guid);
    ParameterList list = changed.Parameters();
    if (Parameter* parameter = FindParameter(list, name)) parameter->text = text;
    changed.params = model_.ShareParameters(std::move(list));
    model_.Replace(changed);
}

}  // namespace planhost
