#pragma once

// A session as JSON text and back: the form that scripts read with --dump and write with
// --import-json. Texts are UTF-8 there and Windows-1251 in the model.

#include "model/ProjectFile.h"

#include <optional>
#include <string>
#include <string_view>

namespace umbrascope {

// The header, start values and events of session, the state computed for a time (as
// CurrentValues) and the error that stopped its computation (Windows-1251, or none).
std::string SessionToJson(const Session& session, const SessionValuesInForce& state,
                          const std::optional<std::string>& stateError);

// Builds project contents from JSON text of the same shape (CurrentValues and Error are
// ignored, absent fields keep their defaults). Returns the message that names the offending
// field when a value does not fit it; contents are then unspecified.
std::optional<std::string> ProjectFromJson(std::string_view json, Session& contents);

} // namespace umbrascope
