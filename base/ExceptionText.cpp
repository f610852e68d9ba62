#include "ExceptionText.h"

#include <exception>

namespace umbrascope {

UserText CurrentExceptionUserText() {
    try {
        throw;
    } catch (const UserTextError& error) {
        return error.Message();
    } catch (const std::exception& error) {
        return UserText::Verbatim(error.what());
    } catch (...) {
        return Translatable("umbrascope::ExceptionText", "Неизвестная ошибка");
    }
}

std::string CurrentExceptionMessage() {
    return CurrentExceptionUserText().Text();
}

} // namespace umbrascope
