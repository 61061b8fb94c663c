#include "export/EvaluationLists.h"

#include "export/Row.h"
#include "model/Glasses.h"
#include "model/Root.h"
#include "support/StringList.h"

namespace kr6 {

void ListEvaluatedLenses(const Tdex6Dataobject& Root, TStringList& Lenses) {
    const TSmallSet<Tdex6LensKind> AllKinds{Tdex6LensKind::Einstaerken, Tdex6LensKind::Bifo,
                                            Tdex6LensKind::Trifo, Tdex6LensKind::Gleitsicht,
                                            Tdex6LensKind::Office};
    Root.Glasliste()->GetCodes(Lenses, false, EvaluatedMaterials, AllKinds, "", 0);
}

std::vector<std::string> EvaluatedLensCodes(const Tdex6Dataobject& Root) {
    TStringList Listed;
    ListEvaluatedLenses(Root, Listed);
    std::vector<std::string> Codes;
    Codes.reserve(static_cast<std::size_t>(Listed.Count()));
    for (const auto& Entry : Listed)
        Codes.push_back(Entry.Text);
    return Codes;
}

std::string JoinCombinationKey(std::string_view Glass, std::string_view AntiReflection,
                               std::string_view Tint, std::string_view First,
                               std::string_view Second) {
    return RowText({Glass, AntiReflection, Tint, First, Second});
}

} // namespace kr6
