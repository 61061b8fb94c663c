#pragma once

#include "model/ArenaObject.h"
#include "model/CodeTables.h"
#include "model/FieldTable.h"
#include "model/ObjectList.h"
#include "support/StringList.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kr6 {

class Tdex6DataKombinationsListe;
class Tdex6DataKombination;
class Tdex6DataGlas;
class Tdex6DataBeschichtung;
class TCoatingCodeCache;

// Follows CoatingsOfGlass and CheckCombination step by step so that their answer can be
// explained. The checks call it only when one is given; every call does nothing unless
// overridden.
class TCombinationObserver {
public:
    virtual ~TCombinationObserver() = default;

    // CoatingsOfGlass: the glass of the lens code, none when no glass has it.
    virtual void LensFound(const Tdex6DataGlas* /*Lens*/) {}
    // A "nicht lieferbar" rule of the lens took Code, or every coating, off the allowed ones.
    virtual void CoatingRemoved(const Tdex6DataKombination& /*Rule*/, std::string_view /*Code*/) {}
    virtual void AllCoatingsRemoved(const Tdex6DataKombination& /*Rule*/) {}
    // A "lieferbar" or "nur lieferbar" rule put Code among the allowed coatings (the empty
    // text for a blank slot) ...
    virtual void CoatingAdded(const Tdex6DataKombination& /*Rule*/, std::string_view /*Code*/) {}
    // ... or was passed over because it names Code, a coating not made for the lens.
    virtual void RuleSkipped(const Tdex6DataKombination& /*Rule*/, std::string_view /*Code*/) {}
    // The outcome; Disallowed is none when it was not asked for.
    virtual void CoatingsJudged(const TStringList& /*Allowed*/, const TStringList* /*Disallowed*/,
                                const TStringList& /*WrongMaterial*/) {}

    // CheckCombination: Code of the set is one the lens does not allow.
    virtual void CoatingNotAllowed(std::string_view /*Code*/) {}
    // The next rule of the lens, in list order; the calls up to the next rule are its doing.
    virtual void RuleTaken(const Tdex6DataKombination& /*Rule*/, bool /*Matches*/) {}
    virtual void ProblemAdded(std::string_view /*Code*/) {}
    virtual void ProblemRemoved(std::string_view /*Code*/) {}
    virtual void RequiredOffered(std::string_view /*Code*/) {}
    virtual void RequiredWithdrawn(std::string_view /*Code*/) {}
    // A set of coatings (a rule's CoatingKey) became forbidden, or was lifted.
    virtual void SetForbidden(std::string_view /*Key*/) {}
    virtual void SetLifted(std::string_view /*Key*/) {}
    // After the rules: a forbidden set whose coatings are all in the set.
    virtual void ForbiddenSetFound(std::string_view /*Key*/) {}
    // Two coatings of the set that carry the same feature.
    virtual void FeatureShared(std::string_view /*CodeA*/, const Tdex6DataBeschichtung& /*A*/,
                               std::string_view /*CodeB*/, const Tdex6DataBeschichtung& /*B*/) {}
    // The lens has "nur lieferbar" rules, none of them matched, and these coatings are
    // what they offer.
    virtual void RequirementUnmet(const TStringList& /*Offered*/) {}
};

// One combination rule: whether a coating, or a set of up to three coatings, is
// deliverable with a lens code or lens code pattern. "******" stands for any lens or
// any coating, a "*" inside a code for any character, a blank slot for no coating.
class Tdex6DataKombination final : public TFieldObject<Tdex6DataKombination>,
                                   public TArenaObject<Tdex6DataKombination> {
public:
    Tdex6DataKombination(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);
    static std::span<const TField<Tdex6DataKombination>> Fields();
    ~Tdex6DataKombination() override;

    // Each setter re-sorts the owning list while that list sorts automatically.
    Tdex6Delivery LB() const { return FLB; }
    void SetLB(Tdex6Delivery Value);
    const std::string& GE() const { return FGE; }
    void SetGE(std::string_view Code) { SetCode(FGE, Code); }
    const std::string& B1E() const { return FB1E; }
    void SetB1E(std::string_view Code) { SetCode(FB1E, Code); }
    const std::string& B2E() const { return FB2E; }
    void SetB2E(std::string_view Code) { SetCode(FB2E, Code); }
    const std::string& B3E() const { return FB3E; }
    void SetB3E(std::string_view Code) { SetCode(FB3E, Code); }

    // B1E, B2E, B3E for 1 to 3; the empty text otherwise.
    const std::string& CoatingSlot(int Index) const;
    // Slots holding "******".
    int WildcardSlotCount() const;
    // The first slot other than "******"; empty when there is none.
    std::string FirstNamedCoating() const;
    // Slots that are empty after trailing blanks are removed.
    int BlankSlotCount() const;
    // The slots without "*", as a sorted set joined by tabs, trailing tabs removed.
    std::string CoatingKey() const;
    // A blank slot is met by any set; the number of blank slots limits the set's size.
    bool MatchesCoatings(const TStringList& Coatings) const;
    // Lens code, LB code and the three slots, each code padded or cut to six characters.
    std::string SortKey() const;

    std::string_view TagName() const override { return "KO"; }
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
    void Clear(bool WithDefaults) override;

private:
    friend class Tdex6DataKombinationsListe;

    Tdex6DataKombinationsListe* List() const;
    void ResortParent();
    // The lens code or a slot changed.
    void CodesChanged();
    void SetCode(std::string& Slot, std::string_view Code);
    // The lens code and the slots as FindRule compares them.
    std::string Identity() const;

    Tdex6Delivery FLB = Tdex6Delivery::NichtLieferbar;
    std::string FGE;
    std::string FB1E;
    std::string FB2E;
    std::string FB3E;
};

using TKombinationRefs = std::vector<Tdex6DataKombination*>;

// The combination rules of a price list, kept in SortKey order while SortEnabled, and
// the two questions asked of them: which coatings a lens allows, and whether a lens is
// deliverable with a given set of coatings.
class Tdex6DataKombinationsListe : public Tdex6ObjectList<Tdex6DataKombination> {
public:
    using Tdex6ObjectList::Tdex6ObjectList;
    ~Tdex6DataKombinationsListe() override;

    // None outside 0 to Count - 1.
    Tdex6DataKombination* GetItem(int Index) const { return Items(Index); }
    // A new rule with the defaults, placed by sorting; marks the model modified.
    Tdex6DataKombination* NewRule();

    bool SortEnabled() const { return FSortEnabled; }
    // Switching it on sorts.
    void SetSortEnabled(bool Value);
    // Stable sort by SortKey; does nothing unless SortEnabled or Force.
    void SortRules(bool Force);

    // The first rule for exactly this lens code whose slots are C1, C2, C3 in any order;
    // codes compared ignoring letter case, LB not compared. Not safe to call from several
    // threads at once.
    Tdex6DataKombination* FindRule(std::string_view Glass, std::string_view C1, std::string_view C2,
                                   std::string_view C3) const;
    // Keeps an existing rule for the same lens and coatings, whatever its LB, and returns
    // it; none when the rule was added.
    const Tdex6DataKombination* AddRule(std::string_view Glass, std::string_view C1,
                                        std::string_view C2, std::string_view C3, Tdex6Delivery LB);
    void RenameGlass(std::string_view Old, std::string_view New);
    void RenameCoating(std::string_view Old, std::string_view New);
    // Deletes every rule naming Code; patterns and the empty code delete nothing.
    void DeleteCoating(std::string_view Code);

    // The rules whose lens code or pattern matches Glass, in list order.
    void RulesOfGlass(std::string_view Glass, TKombinationRefs& List) const;
    // Of those, the "nur lieferbar" ones, the "nicht lieferbar" ones for every coating,
    // and the ones that match Coatings.
    void CheckRules(std::string_view Glass, const TStringList& Coatings,
                    TKombinationRefs& List) const;
    // Allowed: the coatings the lens allows; WrongMaterial: coatings not made for the
    // lens's material; Disallowed: the other coatings. Special coatings take part only
    // with IncludeSpecial. A lens code that no glass has allows nothing.
    void CoatingsOfGlass(std::string_view Glass, TStringList* Allowed, TStringList* Disallowed,
                         TStringList* WrongMaterial, bool IncludeSpecial,
                         TCombinationObserver* Observer = nullptr) const;
    // The same with the lens's rules (RulesOfGlass) already at hand, and the coating
    // codes taken from Codes when given.
    void CoatingsOfGlass(std::string_view Glass, const TKombinationRefs& LensRules,
                         TStringList* Allowed, TStringList* Disallowed, TStringList* WrongMaterial,
                         bool IncludeSpecial, const TCoatingCodeCache* Codes = nullptr,
                         TCombinationObserver* Observer = nullptr) const;
    // 0 when the lens is deliverable with exactly these coatings, otherwise the number
    // of problems; Problems names the codes concerned, Required (when given) receives
    // the coatings that the lens's "nur lieferbar" rules offer when none of them matches.
    std::int32_t CheckCombination(std::string_view Glass, const TStringList& Coatings,
                                  TStringList& Problems, TStringList* Required,
                                  TCombinationObserver* Observer = nullptr) const;

    std::string_view TagName() const override { return "KOL"; }
    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override;

private:
    friend class Tdex6DataKombination;

    // FindRule's index: the first rule of each Identity among the leading FRulesIndexed
    // rules. Rules appended since are taken in on the next lookup; a rule whose codes
    // change, a rule leaving and a sort start it over.
    void CatchUpFirstRules() const;

    bool FSortEnabled = false;
    mutable std::unordered_map<std::string, Tdex6DataKombination*> FFirstRule;
    mutable std::size_t FRulesIndexed = 0;
    mutable bool FFirstRuleStale = false;
};

} // namespace kr6
