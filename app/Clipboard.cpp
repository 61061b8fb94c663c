#include "app/Clipboard.h"

#include "app/QtText.h"
#include "app/ResultRows.h"

#include <QClipboard>
#include <QGuiApplication>

namespace kr6 {

void CopyToClipboard(const TResultRows& Rows) {
    // Page by page: the text as one string beside the clipboard's own would double it.
    QString Text;
    Text.reserve(static_cast<qsizetype>(Rows.Bytes()));
    Rows.ForEachPiece([&](std::string_view Piece) { Text += FromCp1252(Piece); });
    QGuiApplication::clipboard()->setText(Text);
}

} // namespace kr6
