// Translation between the model's objects and the records and handles of the C API. Every
// handle that goes into a caller's record is a BM handle, so the host counts it until the
// caller frees it.
#pragma once

#include <string>

#include "api/api_records.hpp"
#include "model/element.hpp"
#include "model/parameter_records.hpp"

namespace planhost {

class Session;

// The object as the API shows it: the record zero-filled, then every field set.
void FillObjectRecord(const ObjectElement& element, API_Element* record);

// The masked fields of record written into element (a field changes when any byte of it in the
// mask is non-zero): part index, sizes a and b, position, elevation, angle, story, layer and
// draw index.
void ApplyMaskedFields(const API_Element& record, const API_Element& mask, ObjectElement* element);
// All of those fields, as for a new object.
void ApplyAllFields(const API_Element& record, ObjectElement* element);

// The element ID text of a memo handle: up to its NUL, never past the handle's end.
std::u16string ReadIdHandle(GS::uchar_t** handle);
// The parameter list of a handle: handle size / 560 entries, texts cut at their field's end.
ParameterList ReadParameterHandle(API_AddParType** handle);

// Puts a copy of the text / list into *handle: a new handle, or the caller's handle resized.
// False when out of memory.
bool WriteIdHandle(const std::u16string& id, GS::uchar_t*** handle);
bool WriteParameterHandle(const ParameterList& list, API_AddParType*** handle);
bool WriteParameterRecords(const ParameterRecords& records, API_AddParType*** handle);

// Sets the values of the named parameters of list from changes (same name, first match; a text
// parameter takes the text, any other the number). Names that list lacks are ignored.
void MergeParameterValues(const ParameterList& changes, ParameterList* list);

// Whether the model's objects can be seen in the current database: the floor plan and the 3D
// window show them; a section and a layout show none.
bool ModelIsVisible(Session& session);

}  // namespace planhost
