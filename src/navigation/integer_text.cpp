#include "navigation/integer_text.h"

#include "platform/lirra_error.h"

namespace lirra {

namespace {

// 0..15 for an ASCII digit or hexadecimal letter, more for anything else.
int digitValue(QChar character)
{
    const char16_t unit = character.unicode();
    if (unit >= u'0' && unit <= u'9')
        return unit - u'0';
    if (unit >= u'a' && unit <= u'f')
        return unit - u'a' + 10;
    if (unit >= u'A' && unit <= u'F')
        return unit - u'A' + 10;
    return 99;
}

} // namespace

std::int32_t strToInt(const QString& text)
{
    const Error invalid(formatText("'%s' is not a valid integer value", text.toStdString()));
    qsizetype at = 0;
    while (at < text.size() && text[at] == u' ')
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-'))
        negative = text[at++] == u'-';
    int base = 10;
    if (text.mid(at, 1) == u"$") {
        base = 16;
        at += 1;
    } else if (text.mid(at, 2).compare(u"0x", Qt::CaseInsensitive) == 0) {
        base = 16;
        at += 2;
    }
    if (at == text.size())
        throw invalid;
    // Decimal numbers must fit as signed; hexadecimal ones may use all 32 bits.
    const std::uint64_t limit = base == 16 ? 0xFFFFFFFFu : std::uint64_t(INT32_MAX) + (negative ? 1 : 0);
    std::uint64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        const int digit = digitValue(text[at]);
        if (digit >= base)
            throw invalid;
        magnitude = magnitude * unsigned(base) + unsigned(digit);
        if (magnitude > limit)
            throw invalid;
    }
    return std::int32_t(std::uint32_t(negative ? 0u - magnitude : magnitude));
}

} // namespace lirra
