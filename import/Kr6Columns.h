#pragma once

// The columns of a fixed-width KR6 record, written down once per record type: which member
// a column fills, where it starts (counting from 1), how wide it is and how its text reads.
// The same table parses a line into a record and writes a record's fields into a line, so
// the import, the example generator and the tests' line builders cannot disagree.
//
// Every column is a type and every parse step is resolved at compile time: the lens price
// file has millions of lines, and a call through a pointer per field would show.

#include "import/Kr6Fields.h"
#include "support/MemberOf.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>

namespace kr6 {

enum class TKr6Kind {
    TextTrimRight, // trailing blanks removed
    TextTrimmed,   // blanks removed on both sides
    RawText,       // as it stands, blanks kept
    Integer,       // blank or not a number reads as 0
    Flag,          // one digit, set for 1 to 9
    Decimal,       // a number divided by the column's divisor
    Date,          // "yyyymmdd"
    Diameter,      // "6570E"
    MaterialSet,   // four flags: Silikat, Kunststoff, Polycarbonat, Trivex
    Colour,        // red, green, blue in three digits each
    Code,          // a member of a code table, by its number
};

// One column. A member of type std::array is filled from Count columns of Width side by side.
template <auto TheMember, int TheFirst, int TheWidth, TKr6Kind TheKind, int TheDivisor = 1>
struct TKr6Column {
    static constexpr auto Member = TheMember;
    static constexpr int First = TheFirst;
    static constexpr int Width = TheWidth;
    static constexpr TKr6Kind Kind = TheKind;
    static constexpr int Divisor = TheDivisor;
};

// The columns of one record type. Length is how long a written line is at least: a longer
// last text (the information texts) makes the line longer rather than being padded.
template <int TheLength, class... Columns> struct TKr6Layout {
    static constexpr int Length = TheLength;
};

namespace kr6_columns {

template <class T> struct TArrayOf {
    static constexpr bool IsArray = false;
    using Element = T;
    static constexpr std::size_t Count = 1;
};
template <class T, std::size_t N> struct TArrayOf<std::array<T, N>> {
    static constexpr bool IsArray = true;
    using Element = T;
    static constexpr std::size_t Count = N;
};

template <class Column>
using ValueOf = typename TMemberOf<std::remove_cv_t<decltype(Column::Member)>>::Value;

template <class Column, class Element> Element ReadOne(std::string_view Line, int Pos) {
    constexpr int W = Column::Width;
    constexpr TKr6Kind K = Column::Kind;
    if constexpr (K == TKr6Kind::TextTrimRight)
        return Kr6TrimRight(Line, Pos, W);
    else if constexpr (K == TKr6Kind::TextTrimmed)
        return Kr6Trim(Line, Pos, W);
    else if constexpr (K == TKr6Kind::RawText)
        return Kr6Raw(Line, Pos, W);
    else if constexpr (K == TKr6Kind::Integer)
        return Kr6Integer(Line, Pos, W);
    else if constexpr (K == TKr6Kind::Flag) {
        static_assert(W == 1);
        return Kr6Flag(Line, Pos);
    } else if constexpr (K == TKr6Kind::Decimal)
        return Kr6Decimal(Line, Pos, W, Column::Divisor);
    else if constexpr (K == TKr6Kind::Date) {
        static_assert(W == 8);
        return Kr6Date(Line, Pos);
    } else if constexpr (K == TKr6Kind::Diameter)
        return Kr6Diameter(Line, Pos, W);
    else if constexpr (K == TKr6Kind::MaterialSet) {
        static_assert(W == 4);
        return Kr6MaterialSet(Line, Pos);
    } else if constexpr (K == TKr6Kind::Colour) {
        static_assert(W == 9);
        return Kr6Colour(Line, Pos);
    } else {
        static_assert(K == TKr6Kind::Code && std::is_enum_v<Element>);
        return Kr6Code<Element>(Line, Pos, W);
    }
}

template <class Column, class Record> void Read(Record& Rec, std::string_view Line) {
    using Array = TArrayOf<ValueOf<Column>>;
    auto& Target = Rec.*Column::Member;
    if constexpr (Array::IsArray) {
        for (std::size_t K = 0; K < Array::Count; ++K)
            Target[K] = ReadOne<Column, typename Array::Element>(
                Line, Column::First + static_cast<int>(K) * Column::Width);
    } else if constexpr (Column::Kind == TKr6Kind::TextTrimRight) {
        // Into the text's room, which a record reused line after line already has.
        Target.assign(TrimRightBlanks(Kr6Field(Line, Column::First, Column::Width)));
    } else {
        Target = ReadOne<Column, typename Array::Element>(Line, Column::First);
    }
}

template <auto Member, class Column> constexpr bool Is() {
    if constexpr (std::is_same_v<std::remove_cv_t<decltype(Member)>,
                                 std::remove_cv_t<decltype(Column::Member)>>)
        return Member == Column::Member;
    else
        return false;
}

// Columns listed from left to right, none overlapping the one before it.
template <class... Columns> constexpr bool InOrder() {
    int End = 1;
    bool Ordered = true;
    ((Ordered = Ordered && Columns::First >= End,
      End = Columns::First + Columns::Width * static_cast<int>(TArrayOf<ValueOf<Columns>>::Count)),
     ...);
    return Ordered;
}

template <class Layout> struct TParse;
template <int Length, class... Columns> struct TParse<TKr6Layout<Length, Columns...>> {
    static_assert(InOrder<Columns...>(), "columns out of order or overlapping");
    template <class Record> static void Run(Record& Rec, std::string_view Line) {
        (Read<Columns>(Rec, Line), ...);
    }
};

} // namespace kr6_columns

// Sets every member the layout names from Line; a line shorter than the layout gives blank
// fields, never a failure.
template <class Layout, class Record> void ParseKr6Columns(Record& Rec, std::string_view Line) {
    kr6_columns::TParse<Layout>::Run(Rec, Line);
}

// Where the column of Member starts and how many characters it has; for tools that change
// one field of an existing line.
struct TKr6Place {
    int First = 0;
    int Width = 0;
};

template <class Layout, auto Member> struct TKr6PlaceOf;
template <int Length, class... Columns, auto Member>
struct TKr6PlaceOf<TKr6Layout<Length, Columns...>, Member> {
    static constexpr TKr6Place Value = [] {
        TKr6Place Place;
        ((kr6_columns::Is<Member, Columns>() ? (Place = {Columns::First, Columns::Width}, 0) : 0),
         ...);
        return Place;
    }();
    static_assert(Value.Width > 0, "the layout has no column for this member");
};

template <class Layout, auto Member>
inline constexpr TKr6Place Kr6PlaceOf = TKr6PlaceOf<Layout, Member>::Value;

// Builds one record line: the fields set are written in their columns' form, everything
// else stays blank. A value that does not fit its column is a fault of the caller and throws.
template <class Layout> class TKr6LineWriter;

template <int Length, class... Columns> class TKr6LineWriter<TKr6Layout<Length, Columns...>> {
public:
    TKr6LineWriter() : FLine(static_cast<std::size_t>(Length), ' ') {}

    // Value as the member holds it; for an array member, all its elements.
    template <auto Member, class V> TKr6LineWriter& Set(const V& Value) {
        static_assert(Matches<Member>() == 1, "the layout has no single column for this member");
        (SetIf<Member, Columns>(Value), ...);
        return *this;
    }

    // Element K of an array member.
    template <auto Member, class V> TKr6LineWriter& SetAt(std::size_t K, const V& Value) {
        static_assert(Matches<Member>() == 1, "the layout has no single column for this member");
        (SetAtIf<Member, Columns>(K, Value), ...);
        return *this;
    }

    // Text as it stands in the file, left-aligned at the member's column (element K of an
    // array member); for the odd lines a value cannot express.
    template <auto Member> TKr6LineWriter& Put(std::string_view Text, std::size_t K = 0) {
        static_assert(Matches<Member>() == 1, "the layout has no single column for this member");
        (PutIf<Member, Columns>(Text, K), ...);
        return *this;
    }

    // Every member the layout names.
    template <class Record> TKr6LineWriter& SetAll(const Record& Rec) {
        (Set<Columns::Member>(Rec.*Columns::Member), ...);
        return *this;
    }

    const std::string& Line() const { return FLine; }

private:
    template <auto Member> static constexpr int Matches() {
        return (0 + ... + (kr6_columns::Is<Member, Columns>() ? 1 : 0));
    }

    template <auto Member, class Column, class V> void SetIf(const V& Value) {
        if constexpr (kr6_columns::Is<Member, Column>()) {
            using Array = kr6_columns::TArrayOf<kr6_columns::ValueOf<Column>>;
            if constexpr (Array::IsArray) {
                for (std::size_t K = 0; K < Array::Count; ++K)
                    WriteOne<Column>(Column::First + static_cast<int>(K) * Column::Width, Value[K]);
            } else {
                WriteOne<Column>(Column::First, Value);
            }
        }
    }

    template <auto Member, class Column, class V> void SetAtIf(std::size_t K, const V& Value) {
        if constexpr (kr6_columns::Is<Member, Column>()) {
            using Array = kr6_columns::TArrayOf<kr6_columns::ValueOf<Column>>;
            static_assert(Array::IsArray);
            if (K >= Array::Count)
                throw std::out_of_range("element " + std::to_string(K) + " of a column of " +
                                        std::to_string(Array::Count));
            WriteOne<Column>(Column::First + static_cast<int>(K) * Column::Width, Value);
        }
    }

    template <auto Member, class Column> void PutIf(std::string_view Text, std::size_t K) {
        if constexpr (kr6_columns::Is<Member, Column>())
            Place(Column::First + static_cast<int>(K) * Column::Width, Text);
    }

    template <class Column, class V> void WriteOne(int Pos, const V& Value) {
        constexpr int W = Column::Width;
        constexpr TKr6Kind K = Column::Kind;
        if constexpr (K == TKr6Kind::TextTrimRight || K == TKr6Kind::TextTrimmed ||
                      K == TKr6Kind::RawText) {
            const std::string_view Text(Value);
            Place(Pos, Text.substr(0, static_cast<std::size_t>(W)));
        } else if constexpr (K == TKr6Kind::Integer) {
            Number(Pos, W, Value);
        } else if constexpr (K == TKr6Kind::Flag) {
            Number(Pos, W, Value ? 1 : 0);
        } else if constexpr (K == TKr6Kind::Decimal) {
            Number(Pos, W, std::llround(static_cast<double>(Value) * Column::Divisor));
        } else if constexpr (K == TKr6Kind::Date) {
            Place(Pos, DateToText(false, Value));
        } else if constexpr (K == TKr6Kind::Diameter) {
            const TDiameter& D = Value;
            Number(Pos, 2, D.First);
            if (D.Second != 0)
                Number(Pos + 2, 2, D.Second);
            if (D.Elliptical)
                Place(Pos + 4, "E");
        } else if constexpr (K == TKr6Kind::MaterialSet) {
            const TMaterialSet& Set = Value;
            int Offset = 0;
            for (Tdex6Material M : {Tdex6Material::Silikat, Tdex6Material::Kunststoff,
                                    Tdex6Material::Polycarbonat, Tdex6Material::Trivex})
                Number(Pos + Offset++, 1, Set.Contains(M) ? 1 : 0);
        } else if constexpr (K == TKr6Kind::Colour) {
            const std::int32_t Colour = Value;
            Number(Pos, 3, Colour % 256);
            Number(Pos + 3, 3, Colour / 256 % 256);
            Number(Pos + 6, 3, Colour / 65536);
        } else {
            static_assert(K == TKr6Kind::Code);
            if constexpr (std::is_enum_v<V>)
                Number(Pos, W, kr6::Code(Value));
            else
                Number(Pos, W, Value);
        }
    }

    // Right-aligned with leading zeros; a negative number puts its sign first, so -150 in
    // five columns is "-0150".
    void Number(int Pos, int Width, long long Value) {
        const std::string Digits = std::to_string(std::llabs(Value));
        const std::size_t Sign = Value < 0 ? 1 : 0;
        if (Digits.size() + Sign > static_cast<std::size_t>(Width))
            throw std::out_of_range(std::to_string(Value) + " does not fit in " +
                                    std::to_string(Width) + " columns at " + std::to_string(Pos));
        std::string Field(static_cast<std::size_t>(Width) - Digits.size(), '0');
        if (Sign != 0)
            Field[0] = '-';
        Field += Digits;
        Place(Pos, Field);
    }

    void Place(int Pos, std::string_view Text) {
        const auto Start = static_cast<std::size_t>(Pos - 1);
        if (FLine.size() < Start + Text.size())
            FLine.resize(Start + Text.size(), ' ');
        std::copy(Text.begin(), Text.end(), FLine.begin() + static_cast<std::ptrdiff_t>(Start));
    }

    std::string FLine;
};

} // namespace kr6
