#pragma once

#include <span>

// A symbol's picture as PNG data, made at build time from symbols.dat: the primary
// table "/", the alternate table "\" and the overlay characters "#".
struct SymbolPictureData {
    char table;
    char code;
    std::span<const unsigned char> png;
};

std::span<const SymbolPictureData> symbolPictureData();
