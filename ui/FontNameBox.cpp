#include "FontNameBox.h"

#include "UiText.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFontDatabase>

#include <algorithm>

namespace umbrascope {

namespace {

constexpr int FaceRole = Qt::UserRole;
constexpr int MissingRole = Qt::UserRole + 1; // a stored face that is not installed

QString MissingFaceText(const QString& name) {
    return QCoreApplication::translate("umbrascope::FontFaceBox", "%1 (не установлен)").arg(name);
}

} // namespace

FontFaceBox::FontFaceBox(QWidget* parent) : QComboBox(parent) {
    setMaxVisibleItems(16);
}

void FontFaceBox::Fill() {
    QStringList faces = {QStringLiteral("Default")};
    for (const QString& family : QFontDatabase::families())
        if (ToModelText(family))
            faces << family;
    faces.removeDuplicates();
    std::stable_sort(faces.begin(), faces.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    clear();
    for (const QString& face : faces) {
        addItem(face, face);
        setItemData(count() - 1, QFont(face), Qt::FontRole);
    }
    setCurrentIndex(-1);
}

bool FontFaceBox::SelectFace(const QString& name) {
    const int index = findData(name, FaceRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        return false;
    setCurrentIndex(index);
    return true;
}

void FontFaceBox::SelectStoredFace(const QString& name) {
    if (name.isEmpty()) {
        // No face to keep: the list's own choice stands, else its first entry.
        if (currentIndex() < 0 && count() > 0)
            setCurrentIndex(0);
        return;
    }
    if (SelectFace(name))
        return;
    // Shown in the fallback face, which is what the presentation uses for it.
    addItem(MissingFaceText(name), name);
    setItemData(count() - 1, true, MissingRole);
    setCurrentIndex(count() - 1);
}

void FontFaceBox::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        for (int i = 0; i < count(); ++i)
            if (itemData(i, MissingRole).toBool())
                setItemText(i, MissingFaceText(itemData(i, FaceRole).toString()));
    QComboBox::changeEvent(event);
}

QString FontFaceBox::FaceName() const {
    return currentIndex() < 0 ? QString() : currentData(FaceRole).toString();
}

} // namespace umbrascope
