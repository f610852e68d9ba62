#include "ExceptionText.h"

#include <exception>

std::string CurrentExceptionMessage() {
    try {
        throw;
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "Неизвестная ошибка";
    }
}
