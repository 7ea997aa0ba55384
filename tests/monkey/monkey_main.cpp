// Monkey test of VelQUOR.exe under Wine: thousands of random clicks, keys
// and typed text go into the real window, through the platform's input
// queue, the way a careless user's would. The program is started again
// whenever it ends. The run fails when the program crashes, stops answering,
// stacks message boxes or brings them back in a cascade, leaves its window
// taking input under the modal About box, or opens a mail link other than
// its own (or one nobody clicked).
//
//     monkey_tests [EVENTS [SEED]]
//
// Without arguments, VELQUOR_MONKEY_EVENTS and VELQUOR_MONKEY_SEED are read;
// then the defaults of Options; VELQUOR_EXE points it at another build of
// the program. The seed is printed first, so that any run can be made again
// (the input sequence follows from the seed; where the program is in its
// work when each input arrives does not, exactly).

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

#include "monkey.h"

namespace {

monkey::Options g_options;

TEST(Monkey, RandomInputNeverBreaksTheProgram)
{
    monkey::Monkey monkey(g_options);
    monkey.Run();
    monkey.PrintSummary();
    EXPECT_EQ(monkey.FaultCount(), 0u) << "faults, listed above";
}

// A decimal number of at most 32 bits.
bool ParseNumber(const char* text, unsigned long& value)
{
    if (text == nullptr || *text < '0' || *text > '9')
        return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long long parsed = std::strtoull(text, &end, 10);
    if (*end != '\0' || errno == ERANGE || parsed > 0xFFFFFFFFull)
        return false;
    value = static_cast<unsigned long>(parsed);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const char* events = argc > 1 ? argv[1] : std::getenv("VELQUOR_MONKEY_EVENTS");
    const char* seed = argc > 2 ? argv[2] : std::getenv("VELQUOR_MONKEY_SEED");
    unsigned long value = 0;
    if (events != nullptr) {
        if (!ParseNumber(events, value) || value == 0) {
            std::fprintf(stderr, "usage: monkey_tests [EVENTS [SEED]]; bad event count \"%s\"\n", events);
            return 2;
        }
        g_options.events = static_cast<unsigned>(value);
    }
    if (seed != nullptr) {
        if (!ParseNumber(seed, value)) {
            std::fprintf(stderr, "usage: monkey_tests [EVENTS [SEED]]; bad seed \"%s\"\n", seed);
            return 2;
        }
        g_options.seed = static_cast<std::uint32_t>(value);
    }
    return RUN_ALL_TESTS();
}
