#include "export/LensPipeline.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace kr6 {
namespace {

// Work whose length varies a lot from lens to lens, so that later lenses often finish
// before earlier ones.
void UnevenWork(std::size_t Lens, TLensOutcome& Outcome) {
    Outcome.Clear();
    std::this_thread::sleep_for(std::chrono::microseconds((Lens * 7919) % 13 * 150));
    Outcome.KeyCount = static_cast<std::int64_t>(Lens) * 3;
    Outcome.Rows.Add("row " + std::to_string(Lens));
}

TEST(LensPipelineTest, EmitsEveryOutcomeInLensOrder) {
    for (const unsigned Threads : {1U, 2U, 8U}) {
        for (const std::size_t Count : {std::size_t{0}, std::size_t{1}, std::size_t{200}}) {
            std::vector<std::size_t> Emitted;
            const std::thread::id Caller = std::this_thread::get_id();
            RunLensesInOrder(Count, Threads, UnevenWork,
                             [&](std::size_t Lens, TLensOutcome& Outcome) {
                                 EXPECT_EQ(std::this_thread::get_id(), Caller);
                                 EXPECT_EQ(Outcome.KeyCount, static_cast<std::int64_t>(Lens) * 3);
                                 ASSERT_EQ(Outcome.Rows.Count(), 1);
                                 EXPECT_EQ(Outcome.Rows[0], "row " + std::to_string(Lens));
                                 Emitted.push_back(Lens);
                             });
            ASSERT_EQ(Emitted.size(), Count) << Threads << " threads";
            for (std::size_t I = 0; I < Count; ++I)
                EXPECT_EQ(Emitted[I], I);
        }
    }
}

// Counts the calls of Work that are running, to see that none outlives the run.
struct TWorkWatch {
    std::atomic<int> Running = 0;
    std::atomic<int> Started = 0;
};

TEST(LensPipelineTest, FailuresEndTheRunAndJoinTheThreads) {
    for (const unsigned Threads : {1U, 4U}) {
        // A failing Work: its exception arrives, no lens after it is emitted.
        TWorkWatch Watch;
        std::vector<std::size_t> Emitted;
        const auto Work = [&](std::size_t Lens, TLensOutcome& Outcome) {
            ++Watch.Started;
            ++Watch.Running;
            UnevenWork(Lens, Outcome);
            --Watch.Running;
            if (Lens == 37)
                throw std::runtime_error("lens 37");
        };
        try {
            RunLensesInOrder(500, Threads, Work,
                             [&](std::size_t Lens, TLensOutcome&) { Emitted.push_back(Lens); });
            ADD_FAILURE() << "no exception";
        } catch (const std::runtime_error& Error) {
            EXPECT_STREQ(Error.what(), "lens 37");
        }
        EXPECT_EQ(Watch.Running, 0);
        const int Started = Watch.Started;
        EXPECT_LT(Started, 500);
        EXPECT_LE(Emitted.size(), 37U);
        for (std::size_t I = 0; I < Emitted.size(); ++I)
            EXPECT_EQ(Emitted[I], I);

        // A failing Emit: the same.
        TWorkWatch EmitWatch;
        const auto CountedWork = [&](std::size_t Lens, TLensOutcome& Outcome) {
            ++EmitWatch.Started;
            ++EmitWatch.Running;
            UnevenWork(Lens, Outcome);
            --EmitWatch.Running;
        };
        std::size_t Emits = 0;
        EXPECT_THROW(RunLensesInOrder(500, Threads, CountedWork,
                                      [&](std::size_t Lens, TLensOutcome&) {
                                          ++Emits;
                                          if (Lens == 5)
                                              throw std::logic_error("emit 5");
                                      }),
                     std::logic_error);
        EXPECT_EQ(EmitWatch.Running, 0);
        EXPECT_EQ(Emits, 6U);
        EXPECT_LT(EmitWatch.Started, 500);

        // Nothing runs after the call returned.
        const int Before = Watch.Started + EmitWatch.Started;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(Watch.Started + EmitWatch.Started, Before);
    }
}

} // namespace
} // namespace kr6
