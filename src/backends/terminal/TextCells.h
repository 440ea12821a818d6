#pragma once
// How many of the terminal's cells a text takes: a character one cell, a
// wide one (most of Chinese, Japanese and Korean) two, a combining mark none,
// as the C library's character tables of the user's locale tell.
#include <cstddef>
#include <string>
#include <string_view>

namespace terminal {

// The characters of a text: UTF-8, and a byte that begins no character as
// the Western code page reads it (an older file's text). A control character
// becomes a blank, never a byte the terminal would act on.
std::u32string Characters(std::string_view text);
int CharacterCells(char32_t character);
int Cells(std::string_view text);
// How many bytes of the text fit in `cells`, never cutting a character.
std::size_t CellBytes(std::string_view text, int cells);

}  // namespace terminal
