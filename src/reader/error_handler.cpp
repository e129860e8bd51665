#include "reader/error_handler.h"

#include <new>

namespace lirra {

void reportCurrentException()
{
    try {
        throw;
    } catch (const std::bad_alloc&) {
        showErrorBox(QStringLiteral("Out of memory"));
    } catch (const std::exception& error) {
        showErrorBox(QString::fromUtf8(error.what()));
    } catch (...) {
        showErrorBox(QStringLiteral("Unknown error"));
    }
}

} // namespace lirra
