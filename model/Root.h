#pragma once

#include "model/AllObjects.h"
#include "model/FixedPool.h"
#include "model/ImportArena.h"
#include "model/KombiCounts.h"
#include "model/Node.h"
#include "model/XmlWriter.h"
#include "support/StringList.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

namespace kr6 {

class TCustomdex6Object;
class Tdex6DataAdressliste;
class Tdex6DataBeschichtungsliste;
class Tdex6DataBezeichnungsvorgaben;
class Tdex6DataCodeSubstBeschList;
class Tdex6DataCodeSubstGlasList;
class Tdex6DataFormelGruppeListe;
class Tdex6DataGlasliste;
class Tdex6DataKombinationsListe;
class Tdex6DataLieferbereichsbezeichnungsliste;
class Tdex6DataPreisbezeichnungsliste;
class Tdex6DataPrismenCylinder;
class Tdex6DataProduktgruppenliste;
class Tdex6DataProtokollliste;
class Tdex6DataVariableliste;

using TKombiProgress =
    std::function<void(class Tdex6Dataobject& Sender, const TKombiCounts& Counts)>;

// The root of one price list in memory: owns every top-level list, hands out object
// identifiers and keeps the register of all data objects.
class Tdex6Dataobject : public Tdex6Node {
public:
    Tdex6Dataobject();
    ~Tdex6Dataobject() override;

    std::int32_t LastOID() const { return FLastOID; }
    void SetLastOID(std::int32_t Value) { FLastOID = Value; }
    std::int32_t NewOID() { return ++FLastOID; }
    TAllObjects& AllObjects() { return FAllObjects; }
    const TAllObjects& AllObjects() const { return FAllObjects; }
    // Where the glass prices of this model live.
    TFixedPool& GlassPricePool() { return *FGlassPricePool; }
    // Where an import makes its other objects and the price lists' element arrays.
    TImportArena& ImportArena() { return FImportArena; }

    Tdex6DataBezeichnungsvorgaben* Bezeichnungsvorgaben() const {
        return FBezeichnungsvorgaben.get();
    }
    Tdex6DataProduktgruppenliste* Produktgruppenliste() const { return FProduktgruppenliste.get(); }
    Tdex6DataAdressliste* Adressliste() const { return FAdressliste.get(); }
    Tdex6DataPreisbezeichnungsliste* Preisbezeichnungsliste() const {
        return FPreisbezeichnungsliste.get();
    }
    Tdex6DataGlasliste* Glasliste() const { return FGlasliste.get(); }
    Tdex6DataBeschichtungsliste* Beschichtungsliste() const { return FBeschichtungsliste.get(); }
    Tdex6DataKombinationsListe* KombinationsListe() const { return FKombinationsListe.get(); }
    Tdex6DataVariableliste* Variableliste() const { return FVariableliste.get(); }
    Tdex6DataPrismenCylinder* PrismenCylinder() const { return FPrismenCylinder.get(); }
    Tdex6DataLieferbereichsbezeichnungsliste* Lieferbereichsbezeichnungsliste() const {
        return FLieferbereichsbezeichnungsliste.get();
    }
    Tdex6DataFormelGruppeListe* FormelGruppeListe() const { return FFormelGruppeListe.get(); }
    Tdex6DataProtokollliste* Protokollliste() const { return FProtokollliste.get(); }
    Tdex6DataCodeSubstGlasList* CodeSubstGlasList() const { return FCodeSubstGlasList.get(); }
    Tdex6DataCodeSubstBeschList* CodeSubstBeschList() const { return FCodeSubstBeschList.get(); }

    TStringList& Notes() { return FNotes; }
    const TStringList& Notes() const { return FNotes; }

    // Empties the model; with defaults the lists that have default entries get them.
    void ClearAll(bool WithDefaults);

    std::function<void(Tdex6Dataobject& Sender, std::string_view Text)> OnLog;
    std::function<void(Tdex6Dataobject& Sender, TCustomdex6Object* Object)> OnChange;
    void Log(std::string_view Text);
    bool Modified() const { return FModified; }
    void SetModified(bool Value);

    void SetKombiProgress(TKombiProgress Procedure) { FOnKombiProgress = std::move(Procedure); }
    const TKombiProgress& OnKombiProgress() const { return FOnKombiProgress; }

    // The whole model: every top-level list and object in creation order, the note and,
    // last so that reading restores it exactly, LastOID, inside one root element.
    void WriteXml(TXmlStream& Writer) const;
    static constexpr std::string_view RootTagName = "DEX6";

    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override;
    void BeginRead(TElementReader& Reader, Tdex6Node* ReadParent = nullptr) override;

private:
    // Declared first so that it outlives every data object, which leaves it on destruction.
    TAllObjects FAllObjects;
    // Declared before the lists for the same reason: the objects go back to them.
    std::unique_ptr<TFixedPool> FGlassPricePool;
    TImportArena FImportArena;
    std::int32_t FLastOID = 0;
    bool FModified = false;
    TStringList FNotes;
    TKombiProgress FOnKombiProgress;
    std::unique_ptr<Tdex6DataBezeichnungsvorgaben> FBezeichnungsvorgaben;
    std::unique_ptr<Tdex6DataProduktgruppenliste> FProduktgruppenliste;
    std::unique_ptr<Tdex6DataAdressliste> FAdressliste;
    std::unique_ptr<Tdex6DataPreisbezeichnungsliste> FPreisbezeichnungsliste;
    std::unique_ptr<Tdex6DataGlasliste> FGlasliste;
    std::unique_ptr<Tdex6DataBeschichtungsliste> FBeschichtungsliste;
    std::unique_ptr<Tdex6DataKombinationsListe> FKombinationsListe;
    std::unique_ptr<Tdex6DataVariableliste> FVariableliste;
    std::unique_ptr<Tdex6DataPrismenCylinder> FPrismenCylinder;
    std::unique_ptr<Tdex6DataLieferbereichsbezeichnungsliste> FLieferbereichsbezeichnungsliste;
    std::unique_ptr<Tdex6DataFormelGruppeListe> FFormelGruppeListe;
    std::unique_ptr<Tdex6DataProtokollliste> FProtokollliste;
    std::unique_ptr<Tdex6DataCodeSubstGlasList> FCodeSubstGlasList;
    std::unique_ptr<Tdex6DataCodeSubstBeschList> FCodeSubstBeschList;
};

} // namespace kr6
