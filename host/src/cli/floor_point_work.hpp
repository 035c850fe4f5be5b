// The host's model work for the measure points of one library part, as the add-on's point
// commands ask it of the host: create a point, list them as the commands read them, move one.
#pragma once

#include <string>
#include <vector>

#include "cli/floor_text.hpp"
#include "model/model.hpp"

namespace planhost {

class Session;

class FloorPointWork {
public:
    FloorPointWork(Session& session, const LibraryPart& part, const std::string& measuredStyle,
                   const std::string& measuredStyle3D);

    // One point as its own undo step; a measured one then gets its two marker styles, each
    // a change of its own outside the step.
    void Create(const FloorPoint& point, bool measured);

    // Every object of the part, read as the commands read it: part, marker style and ID.
    void ListPoints(std::vector<const ObjectElement*>* measured,
                    std::vector<const ObjectElement*>* design) const;

    void Move(const API_Guid& guid, const FloorPoint& point);

    // The progress report and cancel query that the add-on makes after each point.
    void ReportProgress(Int32 progress);

private:
    void SetText(const API_Guid& guid, std::string_view name, const std::u16string& text);

    Session& session_;
    Model& model_;
    const LibraryPart& part_;
    std::u16string measuredStyle_;
    std::u16string measuredStyle3D_;
};

}  // namespace planhost
