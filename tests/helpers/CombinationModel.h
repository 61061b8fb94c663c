#pragma once

#include "model/Coatings.h"
#include "model/Combinations.h"
#include "model/Glasses.h"
#include "model/Root.h"
#include "support/StringList.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace kr6::test {

// A small price list built through the root's real lists, for the rule tests.
class TCombinationModel {
public:
    Tdex6Dataobject Root;

    Tdex6DataKombinationsListe& Rules() { return *Root.KombinationsListe(); }

    Tdex6DataGlas& Lens(std::string_view Code, Tdex6Material Material) {
        Tdex6DataGlas& Glass = *Root.Glasliste()->AddNew();
        Glass.SetEDV(Code);
        Glass.MAT = Material;
        return Glass;
    }

    // A coating of kind "other" unless ET or FA are set afterwards.
    Tdex6DataBeschichtung& Coating(std::string_view Code, TMaterialSet Materials) {
        Tdex6DataBeschichtung& Coating = *Root.Beschichtungsliste()->AddNew();
        Coating.SetEDV(Code);
        Coating.MAT = Materials;
        return Coating;
    }
    Tdex6DataBeschichtung& AntiReflection(std::string_view Code, TMaterialSet Materials) {
        Tdex6DataBeschichtung& C = Coating(Code, Materials);
        C.ET = Tdex6AntiReflection::MehrfachET;
        return C;
    }
    Tdex6DataBeschichtung& Tint(std::string_view Code, TMaterialSet Materials) {
        Tdex6DataBeschichtung& C = Coating(Code, Materials);
        C.FA = Tdex6Tint::Farbig;
        return C;
    }

    // Adds a rule the way the import does; call Sort() once all are in.
    void Rule(std::string_view Glass, std::string_view C1, std::string_view C2, std::string_view C3,
              Tdex6Delivery LB) {
        Rules().AddRule(Glass, C1, C2, C3, LB);
    }
    void Sort() { Rules().SetSortEnabled(true); }
};

inline TStringList Codes(std::initializer_list<std::string_view> Items, bool Sorted = true) {
    TStringList List(Sorted);
    for (std::string_view Item : Items)
        List.Add(Item);
    return List;
}

// The entries joined by commas, an empty entry shown as "<>".
inline std::string Lines(const TStringList& List) {
    std::string Text;
    for (int I = 0; I < List.Count(); ++I) {
        if (I > 0)
            Text += ',';
        Text += List[I].empty() ? std::string("<>") : List[I];
    }
    return Text;
}

} // namespace kr6::test
