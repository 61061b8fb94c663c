#pragma once

#include "model/CodeTables.h"
#include "model/ObjectBase.h"
#include "model/XmlWriter.h"
#include "support/Conversions.h"
#include "support/DateTimeText.h"
#include "support/MemberOf.h"
#include "support/TextCompare.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace kr6 {

// One plain field of a model class in its element form: the element's tag, how the field is
// written and read back, and the value Clear gives it. A class lists its plain fields once,
// in the order the element form writes them, and WriteTags, ReadTag and Clear walk the list;
// what is not a plain field (logging, derived texts, owned lists) stays explicit beside it.
template <class T> struct TField {
    std::string_view Tag;
    void (*Write)(TXmlStream& Stream, std::string_view Tag, const T& Object);
    void (*Read)(T& Object, std::string_view Content);
    void (*Reset)(T& Object);
};

namespace field_detail {

template <auto Member> using ClassOf = typename TMemberOf<decltype(Member)>::Class;
template <auto Member> using ValueOf = typename TMemberOf<decltype(Member)>::Value;

template <auto Member, auto Default> void Reset(ClassOf<Member>& Object) {
    Object.*Member = static_cast<ValueOf<Member>>(Default);
}

} // namespace field_detail

// A text, escaped in the element form; cleared to empty.
template <auto Member>
constexpr TField<field_detail::ClassOf<Member>> TextField(std::string_view Tag) {
    using C = field_detail::ClassOf<Member>;
    return {Tag,
            [](TXmlStream& S, std::string_view N, const C& O) { WriteStrElement(S, N, O.*Member); },
            [](C& O, std::string_view V) { O.*Member = V; },
            [](C& O) {
                (O.*Member).clear();
            }};
}

// An integer of any width; read as a 32-bit one and narrowed.
template <auto Member, std::int32_t Default = 0>
constexpr TField<field_detail::ClassOf<Member>> IntField(std::string_view Tag) {
    using C = field_detail::ClassOf<Member>;
    return {Tag,
            [](TXmlStream& S, std::string_view N, const C& O) { WriteIntElement(S, N, O.*Member); },
            [](C& O, std::string_view V) {
                O.*Member = static_cast<field_detail::ValueOf<Member>>(TextToInt(V));
            },
            &field_detail::Reset<Member, Default>};
}

// The default is given in hundredths: not every compiler takes a floating-point template
// argument, and the quotient is the same double as the decimal literal.
template <auto Member, std::int32_t DefaultHundredths = 0>
constexpr TField<field_detail::ClassOf<Member>> FloatField(std::string_view Tag) {
    using C = field_detail::ClassOf<Member>;
    return {
        Tag,
        [](TXmlStream& S, std::string_view N, const C& O) { WriteFloatElement(S, N, O.*Member); },
        [](C& O, std::string_view V) { O.*Member = TextToFloat(V); },
        [](C& O) {
            O.*Member = DefaultHundredths / 100.0;
        }};
}

// A date written as "yyyymmdd".
template <auto Member>
constexpr TField<field_detail::ClassOf<Member>> DateField(std::string_view Tag) {
    using C = field_detail::ClassOf<Member>;
    return {
        Tag,
        [](TXmlStream& S, std::string_view N, const C& O) { WriteDateElement(S, N, O.*Member); },
        [](C& O, std::string_view V) { O.*Member = TextToDateTime(V); },
        &field_detail::Reset<Member, 0>};
}

// A date with its time, written as "yyyymmddhhnnss".
template <auto Member>
constexpr TField<field_detail::ClassOf<Member>> DateTimeField(std::string_view Tag) {
    using C = field_detail::ClassOf<Member>;
    return {Tag,
            [](TXmlStream& S, std::string_view N, const C& O) {
                WriteDateTimeElement(S, N, O.*Member);
            },
            [](C& O, std::string_view V) { O.*Member = TextToDateTime(V); },
            &field_detail::Reset<Member, 0>};
}

// A flag that is written only when set.
template <auto Member, bool Default = false>
constexpr TField<field_detail::ClassOf<Member>> FlagField(std::string_view Tag) {
    using C = field_detail::ClassOf<Member>;
    return {
        Tag,
        [](TXmlStream& S, std::string_view N, const C& O) { WriteBoolElement(S, N, O.*Member); },
        [](C& O, std::string_view V) { O.*Member = TextToBool(V); },
        &field_detail::Reset<Member, Default>};
}

// A flag that is always written, as "1" or "0".
template <auto Member, bool Default = false>
constexpr TField<field_detail::ClassOf<Member>> FlagTextField(std::string_view Tag) {
    using C = field_detail::ClassOf<Member>;
    return {Tag,
            [](TXmlStream& S, std::string_view N, const C& O) {
                WriteStrElement(S, N, O.*Member ? "1" : "0");
            },
            [](C& O, std::string_view V) { O.*Member = TextToBool(V); },
            &field_detail::Reset<Member, Default>};
}

// A member of a code table, written as its code.
template <auto Member, auto Default>
constexpr TField<field_detail::ClassOf<Member>> CodeField(std::string_view Tag) {
    using C = field_detail::ClassOf<Member>;
    using E = field_detail::ValueOf<Member>;
    return {Tag,
            [](TXmlStream& S, std::string_view N, const C& O) {
                WriteIntElement(S, N, Code(O.*Member));
            },
            [](C& O, std::string_view V) { O.*Member = FromCode<E>(TextToInt(V)); },
            &field_detail::Reset<Member, Default>};
}

// A diameter record, written in its element-form text.
template <auto Member>
constexpr TField<field_detail::ClassOf<Member>> DiameterField(std::string_view Tag) {
    using C = field_detail::ClassOf<Member>;
    return {Tag,
            [](TXmlStream& S, std::string_view N, const C& O) {
                WriteStrElement(S, N, DiameterToText(O.*Member));
            },
            [](C& O, std::string_view V) { O.*Member = DiameterFromText(V); },
            [](C& O) {
                O.*Member = {};
            }};
}

// A text, an integer or a member of a code table that is read through its setter, for a
// class that acts on every change; cleared straight to Default (a text: to what Default
// points at), without the setter.
template <auto Member, auto Setter, auto Default>
constexpr TField<field_detail::ClassOf<Member>> SetterField(std::string_view Tag) {
    using C = field_detail::ClassOf<Member>;
    using E = field_detail::ValueOf<Member>;
    constexpr auto Write = [](TXmlStream& S, std::string_view N, const C& O) {
        if constexpr (std::is_enum_v<E>)
            WriteIntElement(S, N, Code(O.*Member));
        else if constexpr (std::is_integral_v<E>)
            WriteIntElement(S, N, O.*Member);
        else
            WriteStrElement(S, N, O.*Member);
    };
    constexpr auto Read = [](C& O, std::string_view V) {
        if constexpr (std::is_enum_v<E>)
            (O.*Setter)(FromCode<E>(TextToInt(V)));
        else if constexpr (std::is_integral_v<E>)
            (O.*Setter)(TextToInt(V));
        else
            (O.*Setter)(V);
    };
    constexpr auto Reset = [](C& O) {
        if constexpr (std::is_arithmetic_v<E> || std::is_enum_v<E>)
            O.*Member = Default;
        else
            O.*Member = *Default;
    };
    return {Tag, Write, Read, Reset};
}

template <class T>
void WriteFields(TXmlStream& Stream, const T& Object, std::span<const TField<T>> Fields) {
    for (const TField<T>& Field : Fields)
        Field.Write(Stream, Field.Tag, Object);
}

// Reads the field whose tag is Name; false when none has it.
template <class T>
bool ReadField(T& Object, std::span<const TField<T>> Fields, std::string_view Name,
               std::string_view Content) {
    for (const TField<T>& Field : Fields) {
        if (SameText(Name, Field.Tag)) {
            Field.Read(Object, Content);
            return true;
        }
    }
    return false;
}

template <class T> void ResetFields(T& Object, std::span<const TField<T>> Fields) {
    for (const TField<T>& Field : Fields)
        Field.Reset(Object);
}

// A data object whose element form is the base's followed by its table of plain fields,
// read and cleared by the table too. T declares
//     static std::span<const TField<T>> Fields();
// and overrides these three only for what the table cannot say.
template <class T, class Base = TCustomdex6Object> class TFieldObject : public Base {
public:
    using Base::Base;

    void WriteTags(TXmlStream& Writer) const override {
        Base::WriteTags(Writer);
        WriteFields<T>(Writer, static_cast<const T&>(*this), T::Fields());
    }
    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override {
        Base::ReadTag(Reader, PartType, Name, Content);
        if (IsContent(PartType))
            ReadField<T>(static_cast<T&>(*this), T::Fields(), Name, Content);
    }
    void Clear(bool WithDefaults) override {
        Base::Clear(WithDefaults);
        ResetFields<T>(static_cast<T&>(*this), T::Fields());
    }
};

} // namespace kr6
