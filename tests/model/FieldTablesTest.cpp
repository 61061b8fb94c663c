// Every field table of the model: each field survives writing and reading back, Clear
// gives a fresh object's fields, and no two tags of a class collide under SameText.

#include "model/Addresses.h"
#include "model/CoatingParts.h"
#include "model/Coatings.h"
#include "model/Combinations.h"
#include "model/DeliveryRanges.h"
#include "model/DescriptionDefaults.h"
#include "model/FieldTable.h"
#include "model/Formulas.h"
#include "model/GlassParts.h"
#include "model/Glasses.h"
#include "model/Info.h"
#include "model/OrderOptions.h"
#include "model/ProductGroups.h"
#include "model/Protocol.h"
#include "model/Variables.h"
#include "support/TextCompare.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace kr6 {
namespace {

// A new object as its owner has it before anything is read into it.
template <class T> std::shared_ptr<T> MakeFresh() {
    return std::make_shared<T>(nullptr, nullptr, true);
}
// A glass price is made by its list, which decides where its memory comes from.
template <> std::shared_ptr<Tdex6DataGlasPreis> MakeFresh() {
    const auto List = std::make_shared<Tdex6DataGlasPreisListe>(nullptr, nullptr);
    return {List, List->AddNew()};
}
// The owning price clears its formula right away, turning the -1 keys to 0 ...
template <> std::shared_ptr<Tdex6DataFormelLokalBeschichtung> MakeFresh() {
    auto Object = std::make_shared<Tdex6DataFormelLokalBeschichtung>(nullptr, nullptr, true);
    Object->Clear(false);
    return Object;
}
// ... and the root clears its description defaults before the first read.
template <> std::shared_ptr<Tdex6DataBezeichnungsvorgaben> MakeFresh() {
    auto Object = std::make_shared<Tdex6DataBezeichnungsvorgaben>(nullptr, nullptr, true);
    Object->Clear(false);
    return Object;
}

// Fields that are written but never read back.
template <class T> std::set<std::string> WriteOnlyTags() {
    return {};
}
template <> std::set<std::string> WriteOnlyTags<Tdex6DataAdresse>() {
    return {"LANG"};
}

template <class T> std::string TableBytes(const T& Object) {
    TXmlStream Stream;
    WriteFields<T>(Stream, Object, T::Fields());
    return Stream;
}

// What one field writes between its tags; empty for a flag that is not set.
template <class T> std::string Content(const TField<T>& Field, const T& Object) {
    TXmlStream Stream;
    Field.Write(Stream, Field.Tag, Object);
    const auto Open = Stream.find('>');
    const auto Close = Stream.rfind('<');
    return Open == std::string::npos || Close <= Open ? std::string()
                                                      : Stream.substr(Open + 1, Close - Open - 1);
}

// The first text that, read into a fresh object, changes what the field table writes: a
// code, an integer, a diameter, a flag, a number, a date, a date with its time, a minus
// sign, a text.
template <class T> std::string ValueFor(const TField<T>& Field) {
    const std::string Fresh = TableBytes(*MakeFresh<T>());
    for (const std::string Candidate :
         {"2", "1", "1.5", "20240229", "20240229103000", "-", "Probe"}) {
        auto Object = MakeFresh<T>();
        Field.Read(*Object, Candidate);
        if (TableBytes(*Object) != Fresh)
            return Candidate;
    }
    return {};
}

template <class T> class FieldTablesTest : public testing::Test {};

using TTableClasses =
    testing::Types<Tdex6DataVariable, Tdex6DataProtokoll, Tdex6DataImage, Tdex6DataCodeSubstGlas,
                   Tdex6DataCodeSubstBesch, Tdex6DataPreisbezeichnung, Tdex6DataAdresse,
                   Tdex6DataLieferbereichsbezeichnung, Tdex6DataPrismenCylinder,
                   Tdex6DataGlasWirkung, Tdex6DataGlasGeometrie, Tdex6DataGlasPreis,
                   Tdex6DataBeschichtungspreis, Tdex6DataFarbe, Tdex6DataFormelCalc,
                   Tdex6DataFormelBereich, Tdex6DataFormelGruppe, Tdex6DataFormelLokalGlas,
                   Tdex6DataFormelLokalBeschichtung, Tdex6DataKombination, Tdex6DataProduktgruppe,
                   Tdex6DataBezeichnungsvorgaben, Tdex6DataGlas, Tdex6DataBeschichtung>;
TYPED_TEST_SUITE(FieldTablesTest, TTableClasses);

TYPED_TEST(FieldTablesTest, EveryFieldIsWrittenAndReadBack) {
    using T = TypeParam;
    std::set<std::string> Unread;
    for (const TField<T>& Field : T::Fields()) {
        const std::string Value = ValueFor(Field);
        if (Value.empty()) {
            Unread.insert(std::string(Field.Tag));
            continue;
        }
        auto Written = MakeFresh<T>();
        Field.Read(*Written, Value);
        auto Read = MakeFresh<T>();
        Field.Read(*Read, Content(Field, *Written));
        EXPECT_EQ(TableBytes(*Read), TableBytes(*Written)) << Field.Tag << " = " << Value;
    }
    EXPECT_EQ(Unread, WriteOnlyTags<T>());
}

TYPED_TEST(FieldTablesTest, ClearGivesFreshFields) {
    using T = TypeParam;
    auto Object = MakeFresh<T>();
    for (const TField<T>& Field : T::Fields())
        Field.Read(*Object, ValueFor(Field));
    const std::string Fresh = TableBytes(*MakeFresh<T>());
    ASSERT_NE(TableBytes(*Object), Fresh);
    Object->Clear(false);
    EXPECT_EQ(TableBytes(*Object), Fresh);
}

TYPED_TEST(FieldTablesTest, TagsDifferIgnoringCase) {
    std::set<std::string> Keys;
    for (const auto& Field : TypeParam::Fields())
        EXPECT_TRUE(Keys.insert(SameTextKey(Field.Tag)).second) << Field.Tag;
}

} // namespace
} // namespace kr6
