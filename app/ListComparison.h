#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace kr6 {

class TCodeNames;
class TResultRows;
class Tdex6Dataobject;

// What `kr6csv diff OLD NEW` tells: the summary (Windows-1252 lines, each ended by a line
// feed) and the rows only one list gives, each as "+" or "-", a tab and the row.
struct TListComparison {
    std::string Summary;
    std::shared_ptr<TResultRows> Rows;
    std::shared_ptr<TCodeNames> OldNames;
    std::shared_ptr<TCodeNames> NewNames;
    std::int64_t Added = 0;
    std::int64_t Removed = 0;
};

// Compares the loaded list Old with the one in the archive NewArchive as the command line
// does; Status is told how far it is, in the window's words, from the comparison's
// threads.
TListComparison CompareLists(const Tdex6Dataobject& Old, const std::string& OldName,
                             const std::string& NewArchive,
                             const std::function<void(const QString&)>& Status);

} // namespace kr6
