#pragma once

// The texts of a window that follow the interface's language. Each text is set in one place,
// through Keep, which sets it at once and again whenever the window's RetranslateUi calls Apply
// after the language changed, so a window made once speaks the language chosen later.
// User-interface thread only.

#include <QString>

#include <functional>
#include <vector>

namespace umbrascope {

// A text as translated at the time it is asked for.
using TranslatedText = std::function<QString()>;

class RetranslatedTexts {
public:
    // Runs set now and at every Apply. What set touches must live as long as this object
    // (the window's own widgets do).
    void Keep(std::function<void()> set);

    // The usual case: widget->setText with the text as translated at the time.
    template <typename Widget> Widget* Text(Widget* widget, TranslatedText text) {
        Keep([widget, text = std::move(text)] { widget->setText(text()); });
        return widget;
    }

    void Apply() const;

private:
    std::vector<std::function<void()>> sets_;
};

} // namespace umbrascope
