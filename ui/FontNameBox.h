#pragma once

// The list of font faces a phrase can use: the installed families and "Default", sorted
// without regard to letter case, each drawn in its own face. A stored face that is not
// installed is kept in the list, marked, so that choosing nothing keeps it.
// User-interface thread only.

#include <QComboBox>

namespace umbrascope {

class FontFaceBox : public QComboBox {
public:
    explicit FontFaceBox(QWidget* parent = nullptr);

    // Fills the list afresh; nothing is selected then. Faces whose names cannot be stored in
    // a project file (Windows-1251) are left out.
    void Fill();

    // Selects the entry that equals name exactly; false when there is none.
    bool SelectFace(const QString& name);

    // Selects the stored face; one that is not in the list is added to it, marked as not
    // installed. An empty name leaves the selection, or selects the first entry when there is
    // none.
    void SelectStoredFace(const QString& name);

    // The selected face name, or empty when nothing is selected.
    QString FaceName() const;

protected:
    // The mark of a face that is not installed follows the interface's language.
    void changeEvent(QEvent* event) override;
};

} // namespace umbrascope
