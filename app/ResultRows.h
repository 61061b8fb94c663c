#pragma once

#include "export/Row.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kr6 {

// The rows of an evaluation as the text the clipboard gets: every row followed by a
// carriage return and a line feed, back to back in large pages. A list can have tens of
// millions of rows and a gigabyte of text; a string per row would cost three times the
// text. The start of every 64th row is noted, so that a row is found by a short scan.
// The fields of a row are read back from its text; only a row with a tab inside a code
// has its fields' lengths noted as well.
class TResultRows {
public:
    // Adds a row; a row of a comparison, Change '+' or '-', begins with its change and a tab.
    void Add(const TRow& Row, char Change = 0);
    void Clear();

    std::size_t Count() const { return FCount; }
    // Bytes of the text, line ends included.
    std::uint64_t Bytes() const { return FBytes; }
    // Row Index without its line end.
    std::string_view Row(std::size_t Index) const;
    // The text in pieces of whole rows, in order.
    template <class TVisit> void ForEachPiece(TVisit&& Visit) const {
        for (const TPage& Page : FPages)
            Visit(std::string_view(Page.Text));
    }
    // Each row without its line end with its index, in order, while Visit returns true.
    template <class TVisit> void ForEachRow(TVisit&& Visit) const {
        std::size_t Index = 0;
        for (const TPage& Page : FPages) {
            std::string_view Text = Page.Text;
            while (!Text.empty()) {
                const std::size_t End = Text.find('\n');
                if (!Visit(Index++, Text.substr(0, End - 1)))
                    return;
                Text.remove_prefix(End + 1);
            }
        }
    }
    // The whole text in one string.
    std::string Text() const;
    // The fields of row Index, whose text (Row or ForEachRow) is Text.
    TRow Fields(std::size_t Index, std::string_view Text) const;

private:
    static constexpr std::size_t PageBytes = std::size_t{1} << 20;
    static constexpr std::size_t MarkEvery = 64;

    struct TPage {
        std::string Text;
        std::size_t FirstRow = 0;
        // Offset of row FirstRow + MarkEvery * I in Text.
        std::vector<std::uint32_t> Marks;
    };

    // The lengths of the first four fields of a row whose fields hold a tab.
    struct TTabbedRow {
        std::size_t Index = 0;
        std::array<std::size_t, 4> Lengths{};
    };

    std::vector<TPage> FPages;
    std::vector<TTabbedRow> FTabbedRows;
    bool FChanges = false;
    std::size_t FCount = 0;
    std::uint64_t FBytes = 0;
};

} // namespace kr6
