#include "app/Clipboard.h"

#include "app/QtText.h"
#include "support/StringList.h"

#include <QClipboard>
#include <QGuiApplication>

namespace kr6 {

void CopyToClipboard(const TStringList& List) {
    QGuiApplication::clipboard()->setText(FromCp1252(List.Text()));
}

} // namespace kr6
