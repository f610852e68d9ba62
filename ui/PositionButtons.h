#pragma once

// The twelve phrase position buttons: a 3 x 3 grid of the fixed places and a fourth column for
// the moving ones (clockwise, counter-clockwise, random). At most one is selected; the
// selected one shows pressed. User-interface thread only.

#include <QWidget>

#include <array>
#include <optional>

class QToolButton;

namespace umbrascope {

class PositionGrid : public QWidget {
    Q_OBJECT

public:
    explicit PositionGrid(QWidget* parent = nullptr);

    // What clicking button number (1..12) does: every button unselected, then that one
    // selected.
    void PosTextButtonClick(int number);

    // The number of the selected button, if one is.
    std::optional<int> Selected() const;

    // Leaves the hints to the moving places; every button keeps its spoken name.
    void HideFixedPlaceHints();

    // PosTextButton1 to PosTextButton12 at their numbers; entry 0 is unused.
    std::array<QToolButton*, 13> Buttons{};

signals:
    void Clicked(int number);

protected:
    void changeEvent(QEvent* event) override;

private:
    void RetranslateUi();

    bool fixedPlaceHints_ = true;
};

} // namespace umbrascope
