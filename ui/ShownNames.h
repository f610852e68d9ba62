#pragma once

// Names that come from files (project paths, media paths) as menus, titles and tool tips show
// them. A bidirectional control in a name would turn it around, and a control character would
// act, so every such character (see IsActingCharacter in base/TerminalText.h) is written out
// as "\u{HHHH}" or "\xHH"; a name too long for a menu keeps its start and its end.
// User-interface thread only.

#include <QString>

namespace umbrascope {

// The name with every acting character written out, whole.
QString NeutralisedName(const QString& name);

// The same, shortened in the middle to at most maxCharacters (start … end) when it is longer.
QString ShortenedName(const QString& name, qsizetype maxCharacters = 80);

} // namespace umbrascope
