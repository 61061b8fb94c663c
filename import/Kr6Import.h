#pragma once

#include <string_view>

namespace kr6 {

class Tdex6Dataobject;
class TOXVCLZip;
class TStringList;

// Opens the KR6 archive FileName and replaces the content of Root with the price list it
// holds. Returns true; an archive that cannot be read ends it by an EArchiveError.
bool LoadKr6File(Tdex6Dataobject& Root, std::string_view FileName);

// Reads the fourteen members of an opened archive and builds the model from them.
bool ReadKr6Archive(Tdex6Dataobject& Root, TOXVCLZip& Archive);

// Builds the model from the lines of the members. Lines that name no existing glass or
// coating are skipped; the import reports nothing.
void BuildKr6Model(Tdex6Dataobject& Root, const TStringList& Head, const TStringList& LensType,
                   const TStringList& LensRange, const TStringList& LensGeo,
                   const TStringList& LensPrice, const TStringList& Options,
                   const TStringList& OptionsColor, const TStringList& OptionsPrice,
                   const TStringList& Combination, const TStringList& Information,
                   const TStringList& OrderOptions, const TStringList& Productgroup,
                   const TStringList& CodeSubstitution, const TStringList& OeCodes);

} // namespace kr6
