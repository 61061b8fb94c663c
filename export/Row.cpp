#include "export/Row.h"

#include <algorithm>

namespace kr6 {

std::size_t RowTextSize(const TRow& Row) {
    std::size_t Size = Row.size() - 1;
    for (const std::string_view Field : Row)
        Size += Field.size();
    return Size;
}

void AppendRowText(std::string& Text, const TRow& Row) {
    // Rows are written by the million: one resize and plain copies instead of nine appends.
    std::size_t At = Text.size();
    Text.resize(At + RowTextSize(Row));
    char* const Out = Text.data();
    for (std::size_t I = 0; I < Row.size(); ++I) {
        if (I > 0)
            Out[At++] = '\t';
        At += Row[I].copy(Out + At, Row[I].size());
    }
}

std::string RowText(const TRow& Row) {
    std::string Text;
    AppendRowText(Text, Row);
    return Text;
}

namespace {

// Walks the tab-separated text of a row byte by byte without making it.
class TRowTextCursor {
public:
    explicit TRowTextCursor(const TRow& Row) : FRow(Row) {}

    // The next byte, or -1 past the end.
    int Next() {
        if (FAt == FRow[FField].size()) {
            if (FField + 1 == FRow.size())
                return -1;
            ++FField;
            FAt = 0;
            return '\t';
        }
        return static_cast<unsigned char>(FRow[FField][FAt++]);
    }

private:
    const TRow& FRow;
    std::size_t FField = 0;
    std::size_t FAt = 0;
};

// The order of two rows whose texts are alike up to the end of a field of one of them.
bool PrefixLess(const TRow& A, const TRow& B) {
    TRowTextCursor X(A);
    TRowTextCursor Y(B);
    for (;;) {
        const int NextX = X.Next();
        const int NextY = Y.Next();
        if (NextX != NextY)
            return NextX < NextY;
        if (NextX < 0)
            return A < B;
    }
}

} // namespace

bool RowLess(const TRow& A, const TRow& B) {
    // Field by field while the fields are alike or differ within both; where one field is
    // a prefix of the other, the tab after it decides, as in the texts.
    for (std::size_t I = 0; I < A.size(); ++I) {
        const std::size_t Common = std::min(A[I].size(), B[I].size());
        const int Order = A[I].substr(0, Common).compare(B[I].substr(0, Common));
        if (Order != 0)
            return Order < 0;
        if (A[I].size() != B[I].size())
            return PrefixLess(A, B);
    }
    return false;
}

} // namespace kr6
