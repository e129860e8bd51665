#pragma once

#include <string>
#include <type_traits>

// Books made of repeated pieces, as the tests of the view and its core build them.

// `piece` written `times` times over, in the piece's own kind of string.
template <class Piece>
auto repeated(const Piece& piece, int times)
{
    const std::basic_string once(piece);
    std::remove_const_t<decltype(once)> text;
    while (times-- > 0)
        text += once;
    return text;
}
