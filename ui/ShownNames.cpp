#include "ShownNames.h"

#include "base/TerminalText.h"

namespace umbrascope {

namespace {

// Moves a cut off the middle of a surrogate pair, so that no half character is shown.
qsizetype WholeCharacterCut(const QString& text, qsizetype at) {
    return at > 0 && at < text.size() && text[at].isLowSurrogate() ? at - 1 : at;
}

} // namespace

QString NeutralisedName(const QString& name) {
    return QString::fromStdString(EscapedForTerminal(name.toStdString()));
}

QString ShortenedName(const QString& name, qsizetype maxCharacters) {
    const QString shown = NeutralisedName(name);
    if (shown.size() <= maxCharacters || maxCharacters < 3)
        return shown;
    const qsizetype kept = maxCharacters - 1; // the ellipsis takes one
    const qsizetype headEnd = WholeCharacterCut(shown, kept / 2);
    const qsizetype tailStart = WholeCharacterCut(shown, shown.size() - (kept - kept / 2));
    return shown.left(headEnd) + QChar(0x2026) + shown.mid(tailStart);
}

} // namespace umbrascope
