#include "support/Cp1252.h"

#include <array>
#include <cstdint>

namespace kr6 {

namespace {

// Code points of the bytes 0x80-0x9F; every other byte is its own code point.
constexpr std::array<char32_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CodePointOf(unsigned char Byte) {
    return Byte >= 0x80 && Byte <= 0x9F ? HighControls[Byte - 0x80] : Byte;
}

char ByteOf(char32_t CodePoint) {
    if (CodePoint < 0x80 || (CodePoint >= 0xA0 && CodePoint <= 0xFF))
        return static_cast<char>(CodePoint);
    for (std::size_t I = 0; I < HighControls.size(); ++I)
        if (HighControls[I] == CodePoint)
            return static_cast<char>(0x80 + I);
    return '?';
}

void AppendUtf8(std::string& Out, char32_t C) {
    if (C < 0x80) {
        Out += static_cast<char>(C);
    } else if (C < 0x800) {
        Out += static_cast<char>(0xC0 | (C >> 6));
        Out += static_cast<char>(0x80 | (C & 0x3F));
    } else {
        Out += static_cast<char>(0xE0 | (C >> 12));
        Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (C & 0x3F));
    }
}

// Decodes one UTF-8 sequence at S[Pos]; returns its length, 0 when it is malformed
// (truncated, overlong, surrogate or beyond U+10FFFF).
std::size_t DecodeUtf8(std::string_view S, std::size_t Pos, char32_t& C) {
    const auto Lead = static_cast<unsigned char>(S[Pos]);
    std::size_t Len = 0;
    char32_t Min = 0;
    if (Lead < 0x80) {
        C = Lead;
        return 1;
    }
    if ((Lead & 0xE0) == 0xC0) {
        Len = 2, C = Lead & 0x1F, Min = 0x80;
    } else if ((Lead & 0xF0) == 0xE0) {
        Len = 3, C = Lead & 0x0F, Min = 0x800;
    } else if ((Lead & 0xF8) == 0xF0) {
        Len = 4, C = Lead & 0x07, Min = 0x10000;
    } else {
        return 0;
    }
    if (S.size() - Pos < Len)
        return 0;
    for (std::size_t I = 1; I < Len; ++I) {
        const auto Next = static_cast<unsigned char>(S[Pos + I]);
        if ((Next & 0xC0) != 0x80)
            return 0;
        C = (C << 6) | (Next & 0x3F);
    }
    if (C < Min || C > 0x10FFFF || (C >= 0xD800 && C <= 0xDFFF))
        return 0;
    return Len;
}

} // namespace

std::string Utf8ToCp1252(std::string_view Utf8) {
    std::string Out;
    Out.reserve(Utf8.size());
    std::size_t Pos = 0;
    while (Pos < Utf8.size()) {
        char32_t C = 0;
        const std::size_t Len = DecodeUtf8(Utf8, Pos, C);
        if (Len == 0) {
            Out += '?';
            ++Pos;
        } else {
            Out += ByteOf(C);
            Pos += Len;
        }
    }
    return Out;
}

std::string Cp1252ToUtf8(std::string_view Cp1252) {
    std::string Out;
    Out.reserve(Cp1252.size() + Cp1252.size() / 4);
    for (char B : Cp1252)
        AppendUtf8(Out, CodePointOf(static_cast<unsigned char>(B)));
    return Out;
}

} // namespace kr6
