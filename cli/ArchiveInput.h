#pragma once

#include <string>

namespace kr6 {

class TKr6ImportObserver;
class Tdex6Dataobject;
class TProgressLine;

// Loads the price list named on the command line: a KR6 archive file, or "-" for an archive
// read from standard input. Line, when given, shows how far the import is. Returns the KR6
// version the archive's header names, read from the same opened archive. Observer, when
// given, hears what the import leaves out or reads differently.
std::string LoadArchive(Tdex6Dataobject& Root, const std::string& Archive,
                        TProgressLine* Line = nullptr, TKr6ImportObserver* Observer = nullptr);

// How a command names the archive to its user: standard input for "-".
std::string ArchiveName(const std::string& Archive);

// Throws EOutputError when writing Output would destroy the archive it is made from: the
// same file, also under another path or through a link. Checked before anything is read.
void RefuseOutputOverInput(const std::string& Output, const std::string& Archive);

} // namespace kr6
