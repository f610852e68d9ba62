#include "ExceptionText.h"

#include <exception>

namespace umbrascope {

std::string CurrentExceptionMessage() {
    try {
        throw;
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "Неизвестная ошибка";
    }
}

} // namespace umbrascope
