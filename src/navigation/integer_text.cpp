#include "navigation/integer_text.h"

#include "platform/lirra_error.h"

namespace lirra {

std::int32_t toInteger(const QString& text)
{
    const bool signedText = text.startsWith(QLatin1Char('+')) || text.startsWith(QLatin1Char('-'));
    bool digitsOnly = text.size() > (signedText ? 1 : 0);
    for (qsizetype i = signedText ? 1 : 0; i < text.size(); ++i)
        digitsOnly = digitsOnly && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9');
    bool fits = false;
    const int number = text.toInt(&fits, 10);
    if (!digitsOnly || !fits)
        throw Error(formatText("'%s' is not a valid integer value", text.toStdString()));
    return number;
}

} // namespace lirra
