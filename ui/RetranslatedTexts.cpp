#include "RetranslatedTexts.h"

namespace umbrascope {

void RetranslatedTexts::Keep(std::function<void()> set) {
    set();
    sets_.push_back(std::move(set));
}

void RetranslatedTexts::Apply() const {
    for (const auto& set : sets_)
        set();
}

} // namespace umbrascope
