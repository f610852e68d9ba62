#pragma once

// Phrase files and tracks in lists and fields, with the ones whose files are not found marked
// (and named in full in their tool tips). User-interface thread only.

#include <QString>

#include <string>
#include <string_view>

class QListWidget;

namespace umbrascope {

// A track's display text, marked when its file is found neither where it says nor in
// projectFolder.
QString MediaDisplayText(const std::string& value, std::string_view projectFolder);

// Appends a track to a list the same way, a missing one in the error colour.
void AddTrackItem(QListWidget& list, const std::string& track, std::string_view projectFolder);

} // namespace umbrascope
