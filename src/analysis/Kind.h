#pragma once
// What a character of a script is, as the colouring finds it, and the one mapping of kinds to
// the colours and font styles the views show.

#include <cstdint>

namespace Lex {

/// An RGB colour as 0xRRGGBB.
using Colour = std::uint32_t;

constexpr Colour Rgb(int r, int g, int b)
{
    return (Colour(r) << 16) | (Colour(g) << 8) | Colour(b);
}

namespace Colours {
constexpr Colour Black = Rgb(0, 0, 0);
constexpr Colour Comment = Rgb(0, 128, 0);
constexpr Colour String = Rgb(128, 0, 0);
constexpr Colour Catalogue = Rgb(0, 0, 255);
constexpr Colour Plugin = Rgb(255, 0, 0);
constexpr Colour Reserved = Rgb(128, 128, 0);
} // namespace Colours

/// Font style flags; a character's styles are a combination of them.
enum Style : std::uint8_t
{
    NoStyle = 0,
    Bold = 1,
    Italic = 2,
    Underline = 4,
    StrikeOut = 8,
};
using Styles = std::uint8_t;

/// The kind of a character of a script. Plain is whatever the colouring left alone; the
/// other kinds are written by the colouring only.
enum class Kind : std::uint8_t
{
    Plain,
    Comment,
    String,
    Catalogue, // a catalogue identifier of the default tags
    Plugin,    // a plug-in function of the catalogue
    Language,  // a language word, built-in variable or constant of the catalogue
    Reserved,  // a name the generated code declares
};

struct KindFormat
{
    Colour colour = Colours::Black;
    Styles styles = NoStyle;
};

/// The colour and styles a kind is shown in.
constexpr KindFormat FormatOf(Kind kind)
{
    switch (kind) {
    case Kind::Comment:
        return {Colours::Comment, Italic};
    case Kind::String:
        return {Colours::String, NoStyle};
    case Kind::Catalogue:
        return {Colours::Catalogue, NoStyle};
    case Kind::Plugin:
        return {Colours::Plugin, NoStyle};
    case Kind::Language:
        return {Colours::Black, Bold};
    case Kind::Reserved:
        return {Colours::Reserved, NoStyle};
    case Kind::Plain:
        break;
    }
    return {};
}

} // namespace Lex
