#pragma once

#include "import/Kr6Finding.h"
#include "import/Kr6Head.h"
#include "support/StringList.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace kr6 {

class Tdex6Dataobject;
class TOXVCLZip;

struct TImportProgress {
    std::string_view Stage; // what is being done, readable: "reading LensPrice.Dat", ...
    double Fraction = 0;    // of the whole import, 0 to 1, never decreasing
};
// Called at the start of every stage and every few thousand lines within one.
using TImportProgressFn = std::function<void(const TImportProgress&)>;

// Opens the KR6 archive FileName, replaces the content of Root with the price list it
// holds and returns the list's header, KR6 version included. An archive that cannot be
// read, or that holds none of the KR6 members at its top level, ends it by an
// EArchiveError. Root is then as it was, unless the lens prices were the member that
// failed: they are read while the model is built, and a failure there leaves Root empty,
// never holding part of a list. Observer, when given, is told of every place the import
// leaves out or reads differently than written; the model is the same.
TKr6DataHead LoadKr6File(Tdex6Dataobject& Root, std::string_view FileName,
                         const TImportProgressFn& Progress = {},
                         TKr6ImportObserver* Observer = nullptr);
// The same for an archive whose bytes are already in memory (the command line reads
// standard input for "-"); Name stands for the archive in messages.
TKr6DataHead LoadKr6Data(Tdex6Dataobject& Root, std::string Bytes, std::string_view Name,
                         const TImportProgressFn& Progress = {},
                         TKr6ImportObserver* Observer = nullptr);

// Reads the fourteen members of an archive opened with limits of the caller's own (the fuzz
// targets' smaller ones) and builds the model from them; the front ends load through the
// two above.
TKr6DataHead ReadKr6Archive(Tdex6Dataobject& Root, TOXVCLZip& Archive,
                            const TImportProgressFn& Progress = {},
                            TKr6ImportObserver* Observer = nullptr);

// The lines of the fourteen members of a KR6 archive; a missing member has none.
struct TKr6Files {
    TStringList Head, LensType, LensGeo, LensPrice, Options, OptionsColor, OptionsPrice,
        Combination, LensRange, Information, OrderOptions, Productgroup, CodeSubstitution, OeCodes;

    // The members in the order of Kr6MemberNames.
    static constexpr std::array<TStringList TKr6Files::*, 14> Members = {
        &TKr6Files::Head,
        &TKr6Files::LensType,
        &TKr6Files::LensGeo,
        &TKr6Files::LensPrice,
        &TKr6Files::Options,
        &TKr6Files::OptionsColor,
        &TKr6Files::OptionsPrice,
        &TKr6Files::Combination,
        &TKr6Files::LensRange,
        &TKr6Files::Information,
        &TKr6Files::OrderOptions,
        &TKr6Files::Productgroup,
        &TKr6Files::CodeSubstitution,
        &TKr6Files::OeCodes};
};

// Builds the model from the lines of the members and returns the header. Lines that name
// no existing glass or coating are skipped, and reported to Observer when given.
TKr6DataHead BuildKr6Model(Tdex6Dataobject& Root, const TKr6Files& Files,
                           TKr6ImportObserver* Observer = nullptr);

} // namespace kr6
