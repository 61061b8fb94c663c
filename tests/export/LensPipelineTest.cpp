#include "export/LensPipeline.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <set>
#include <stdexcept>
#include <thread>
#include <typeinfo>
#include <utility>
#include <vector>

namespace kr6 {
namespace {

// Work whose length varies a lot from lens to lens, so that later lenses often finish
// before earlier ones.
void UnevenWork(std::size_t Lens, TLensOutcome& Outcome) {
    Outcome.Clear();
    std::this_thread::sleep_for(std::chrono::microseconds((Lens * 7919) % 13 * 150));
    Outcome.KeyCount = static_cast<std::int64_t>(Lens) * 3;
    const std::string Row = "row " + std::to_string(Lens);
    Outcome.Rows.Add({Row});
}

constexpr std::array EmitThreads{TEmitThread::Calling, TEmitThread::Any};

// Emit runs on the calling thread when asked to, and never twice at once.
TEST(LensPipelineTest, EmitsEveryOutcomeInLensOrder) {
    for (const TEmitThread EmitOn : EmitThreads) {
        for (const unsigned Threads : {1U, 2U, 8U}) {
            for (const std::size_t Count : {std::size_t{0}, std::size_t{1}, std::size_t{200}}) {
                std::vector<std::size_t> Emitted;
                const std::thread::id Caller = std::this_thread::get_id();
                std::set<std::thread::id> Emitters;
                std::atomic<int> Emitting = 0;
                const auto Emit = [&](std::size_t Lens, TLensOutcome& Outcome, bool LensDone) {
                    EXPECT_EQ(++Emitting, 1);
                    EXPECT_TRUE(LensDone);
                    EXPECT_EQ(Outcome.KeyCount, static_cast<std::int64_t>(Lens) * 3);
                    EXPECT_EQ(Outcome.Rows.Count(), 1U);
                    EXPECT_EQ(Outcome.Rows[0][0], "row " + std::to_string(Lens));
                    Emitted.push_back(Lens);
                    Emitters.insert(std::this_thread::get_id());
                    --Emitting;
                };
                RunLensesInOrder(Count, Threads, UnevenWork, Emit, 0, EmitOn);
                ASSERT_EQ(Emitted.size(), Count) << Threads << " threads";
                for (std::size_t I = 0; I < Count; ++I)
                    EXPECT_EQ(Emitted[I], I);
                if (EmitOn == TEmitThread::Calling) {
                    EXPECT_TRUE(Emitters.empty() || Emitters == std::set{Caller});
                }
            }
        }
    }
}

// An emitter slower than the workers finds the whole ring of outcomes ready: each lens
// still comes once, in order, with what its work gave.
TEST(LensPipelineTest, AFullRingOfReadyOutcomesIsEmittedOnce) {
    for (const TEmitThread EmitOn : EmitThreads) {
        constexpr std::size_t Count = 3000;
        std::vector<std::size_t> Emitted;
        std::int64_t Keys = 0;
        const auto Work = [](std::size_t Lens, TLensOutcome& Outcome) {
            Outcome.Clear();
            Outcome.KeyCount = static_cast<std::int64_t>(Lens % 7) + 1;
        };
        const auto Emit = [&](std::size_t Lens, TLensOutcome& Outcome, bool) {
            if (Lens % 500 == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            Keys += Outcome.KeyCount;
            Emitted.push_back(Lens);
        };
        RunLensesInOrder(Count, 2, Work, Emit, 0, EmitOn);
        std::int64_t Expected = 0;
        for (std::size_t Lens = 0; Lens < Count; ++Lens)
            Expected += static_cast<std::int64_t>(Lens % 7) + 1;
        ASSERT_EQ(Emitted.size(), Count);
        for (std::size_t I = 0; I < Count; ++I)
            ASSERT_EQ(Emitted[I], I);
        EXPECT_EQ(Keys, Expected);
    }
}

// A failing Work (lens 37) or Emit (lens 5): its exception arrives, no later lens is
// emitted, no call of Work is running or starts afterwards.
TEST(LensPipelineTest, FailuresEndTheRunAndJoinTheThreads) {
    for (const auto& [Threads, EmitOn] :
         {std::pair{1U, TEmitThread::Calling}, std::pair{4U, TEmitThread::Calling},
          std::pair{4U, TEmitThread::Any}}) {
        for (const bool InEmit : {false, true}) {
            std::atomic<int> Running = 0;
            std::atomic<int> Started = 0;
            std::vector<std::size_t> Emitted;
            const auto Work = [&](std::size_t Lens, TLensOutcome& Outcome) {
                ++Started;
                ++Running;
                UnevenWork(Lens, Outcome);
                --Running;
                if (!InEmit && Lens == 37)
                    throw std::runtime_error("lens 37");
            };
            const auto Emit = [&](std::size_t Lens, TLensOutcome&, bool) {
                Emitted.push_back(Lens);
                if (InEmit && Lens == 5)
                    throw std::logic_error("emit 5");
            };
            try {
                RunLensesInOrder(500, Threads, Work, Emit, 0, EmitOn);
                ADD_FAILURE() << "no exception";
            } catch (const std::exception& Error) {
                EXPECT_STREQ(Error.what(), InEmit ? "emit 5" : "lens 37");
                EXPECT_TRUE(typeid(Error) ==
                            (InEmit ? typeid(std::logic_error) : typeid(std::runtime_error)));
            }
            EXPECT_EQ(Running, 0);
            EXPECT_LT(Started, 500);
            EXPECT_TRUE(InEmit ? Emitted.size() == 6U : Emitted.size() <= 37U) << Emitted.size();
            for (std::size_t I = 0; I < Emitted.size(); ++I)
                EXPECT_EQ(Emitted[I], I);
            const int Before = Started;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            EXPECT_EQ(Started, Before) << Threads << " threads";
        }
    }
}

// Lenses offer their rows as they make them, as the evaluation does: lenses with no rows, a
// few, many and so many that lenses in work wait for their turn, finishing out of order, on
// more threads than cores. Emit gets every row once, in lens order; only the oldest lens in
// work hands rows over early, every lens ends with one last part, and nothing waits for
// ever, whichever thread emits.
TEST(LensPipelineTest, RowsComeInPartsOnlyFromTheOldestLens) {
    constexpr std::size_t Count = 200;
    const auto RowsOf = [](std::size_t Lens) {
        const std::size_t Kind = Lens * 2654435761U % 8;
        return Kind == 7 ? 20000 : Kind == 1 || Kind == 4 ? 1500 : static_cast<int>(Kind % 3);
    };
    const auto Row = [](std::size_t Lens, int I) {
        return "lens " + std::to_string(Lens) + " row " + std::to_string(I) + std::string(60, 'x');
    };
    for (const auto& [Threads, EmitOn] :
         {std::pair{1U, TEmitThread::Calling}, std::pair{3U, TEmitThread::Calling},
          std::pair{2U, TEmitThread::Any}, std::pair{4U, TEmitThread::Any},
          std::pair{8U, TEmitThread::Any}}) {
        std::vector<int> Received(Count, 0);
        std::vector<int> LastParts(Count, 0);
        std::size_t Current = 0;
        const auto Work = [&](std::size_t Lens, TLensOutcome& Outcome) {
            Outcome.Clear();
            if (Lens % 5 == 0)
                std::this_thread::sleep_for(std::chrono::microseconds(Lens % 7 * 200));
            Outcome.KeyCount = RowsOf(Lens);
            for (int I = 0; I < RowsOf(Lens); ++I) {
                const std::string Text = Row(Lens, I);
                Outcome.Rows.Add({Text}, I + 1);
                Outcome.OfferRows();
            }
        };
        const auto Emit = [&](std::size_t Lens, TLensOutcome& Outcome, bool LensDone) {
            ASSERT_GE(Lens, Current);
            ASSERT_EQ(LastParts[Lens], 0) << "a part after the last one";
            for (auto It = Outcome.Rows.begin(); It != Outcome.Rows.end(); ++It) {
                ASSERT_EQ((*It)[0], Row(Lens, Received[Lens]));
                ASSERT_EQ(It.Position(), ++Received[Lens]);
            }
            Current = Lens;
            LastParts[Lens] += LensDone ? 1 : 0;
        };
        RunLensesInOrder(Count, Threads, Work, Emit, 4096, EmitOn);
        for (std::size_t Lens = 0; Lens < Count; ++Lens) {
            ASSERT_EQ(LastParts[Lens], 1) << Lens;
            ASSERT_EQ(Received[Lens], RowsOf(Lens)) << Lens;
        }
    }
}

} // namespace
} // namespace kr6
