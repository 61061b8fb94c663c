#include "cli/RowFormat.h"

namespace kr6 {

TRowFormat OutputFormatFor(const TRowLayout& Layout, bool Lf, bool Utf8) {
    if (Layout.Syntax == TRowSyntax::Jsonl)
        return {TLineEnd::Lf, false, true};
    return {Lf ? TLineEnd::Lf : TLineEnd::CrLf, Utf8};
}

} // namespace kr6
