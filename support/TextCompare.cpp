#include "support/TextCompare.h"

#include <array>
#include <cstdint>

namespace kr6 {
namespace {

constexpr unsigned char AsciiUpper(unsigned char C) {
    return (C >= 'a' && C <= 'z') ? static_cast<unsigned char>(C - 'a' + 'A') : C;
}

constexpr bool IsExtendedLetter(unsigned char C) {
    switch (C) {
    case 0x83: case 0x8A: case 0x8C: case 0x8E: case 0x9A:
    case 0x9C: case 0x9E: case 0x9F: case 0xAA: case 0xB5: case 0xBA:
        return true;
    default:
        return C >= 0xC0 && C != 0xD7 && C != 0xF7;
    }
}

constexpr unsigned char AnsiUpperByte(unsigned char C) {
    if (C >= 'a' && C <= 'z')
        return static_cast<unsigned char>(C - 'a' + 'A');
    switch (C) {
    case 0x9A: return 0x8A; // š
    case 0x9C: return 0x8C; // œ
    case 0x9E: return 0x8E; // ž
    case 0xFF: return 0x9F; // ÿ
    default:
        if (C >= 0xE0 && C <= 0xFE && C != 0xF7)
            return static_cast<unsigned char>(C - 0x20);
        return C;
    }
}

// Weight = class * 256 + rank inside the class.
constexpr std::array<std::uint16_t, 256> MakeWeights() {
    std::array<std::uint16_t, 256> W{};
    for (int I = 0; I < 256; ++I) {
        const auto C = static_cast<unsigned char>(I);
        int Class;
        int Rank = C;
        if (C < 0x20 || C == 0x7F) {
            Class = 1;
        } else if (C == 0x20) {
            Class = 2;
        } else if (C >= '0' && C <= '9') {
            Class = 4;
        } else if ((C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z')) {
            Class = 5;
            Rank = AsciiUpper(C);
        } else if (IsExtendedLetter(C)) {
            Class = 6;
            Rank = AnsiUpperByte(C);
        } else {
            Class = 3;
        }
        W[I] = static_cast<std::uint16_t>(Class * 256 + Rank);
    }
    return W;
}

constexpr auto Weights = MakeWeights();

} // namespace

bool SameText(std::string_view A, std::string_view B) {
    if (A.size() != B.size())
        return false;
    for (std::size_t I = 0; I < A.size(); ++I) {
        if (AsciiUpper(static_cast<unsigned char>(A[I])) !=
            AsciiUpper(static_cast<unsigned char>(B[I])))
            return false;
    }
    return true;
}

int CompareText(std::string_view A, std::string_view B) {
    const std::size_t N = A.size() < B.size() ? A.size() : B.size();
    for (std::size_t I = 0; I < N; ++I) {
        const int WA = Weights[static_cast<unsigned char>(A[I])];
        const int WB = Weights[static_cast<unsigned char>(B[I])];
        if (WA != WB)
            return WA < WB ? -1 : 1;
    }
    if (A.size() == B.size())
        return 0;
    return A.size() < B.size() ? -1 : 1;
}

char AnsiUpperChar(char C) {
    return static_cast<char>(AnsiUpperByte(static_cast<unsigned char>(C)));
}

std::string AnsiUpperCase(std::string_view S) {
    std::string Result(S);
    for (char& C : Result)
        C = AnsiUpperChar(C);
    return Result;
}

} // namespace kr6
