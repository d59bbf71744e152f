#include "WkpTestHelpers.h"

#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <random>

namespace {

using wkptest::CBytes;
using wkptest::DumpTree;
using wkptest::kNull;
using wkptest::Marks;
using wkptest::ReadFile;
using wkptest::SRead;
using wkptest::WkpTest;
using wkptest::WriteFile;

using CWKPTranslatorDamageTest = WkpTest;

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInfinity = std::numeric_limits<double>::infinity();

// A small project touching every kind of field: marks on the root, open and closed marks,
// names with and without bytes, several levels and siblings.
CBytes SampleFile() {
    CBytes file;
    file.Header().String("Sample");
    file.Record(false, "", {{40000.25, 40000.5}}, 2);
    file.Record(true, "Work", {{40001.0, 40001.5}, {40002.0, 40002.75}, {40003.0, kNull}}, 2);
    file.Record(true, "Mail", {{39000.0, 39000.125}}, 0);
    file.Record(false, "Meetings", {}, 1);
    file.Record(true, "", {{-1.25, -0.5}}, 0);
    file.Record(true, "Home", {{40010.0, 40012.0}}, 0);
    return file;
}

// Every tally mark that was accepted starts at a date and ends at a date or is open.
void ExpectUsableDates(CProjectState& state) {
    for (CActivity* a : wkptest::AllActivities(state)) {
        CTallymarks& tallymarks = a->GetTallymarks();
        for (CTallymark* t = tallymarks.GetFirst(); t != nullptr; t = tallymarks.GetNext()) {
            ASSERT_TRUE(t->GetStart().IsValid());
            ASSERT_TRUE(t->GetEnd(false).IsValid() || t->IsOpen());
        }
    }
}

TEST_F(CWKPTranslatorDamageTest, EveryTruncationIsDamagedOrAnotherFormat) {
    const std::string bytes = SampleFile().Get();
    for (std::size_t length = 0; length <= bytes.size(); ++length) {
        SCOPED_TRACE(length);
        CProjectState state;
        const SRead read = ReadFile(state, bytes.substr(0, length));
        if (length < 17) {
            EXPECT_EQ(read.identified, trNotThisFormat);
        } else if (length < 21) {
            EXPECT_EQ(read.identified, trDamaged);
        } else {
            EXPECT_EQ(read.identified, trOK);
            EXPECT_EQ(read.loaded, length == bytes.size() ? trOK : trDamaged);
        }
    }
}

TEST_F(CWKPTranslatorDamageTest, ACutTallymarkStaysWithNullDates) {
    CBytes file;
    file.Header().String("Cut").Record(true, "", {}, 1);
    file.Record(true, "A", {{100.0, 101.0}, {200.0, 201.0}}, 0);
    // Inside the second tally mark's end.
    const std::string bytes = file.Get().substr(0, file.GetDateOffsets()[3] + 3);
    CProjectState state;
    EXPECT_EQ(ReadFile(state, bytes).loaded, trDamaged);
    EXPECT_EQ(DumpTree(state),
              (std::vector<std::string>{"project Cut", "0 on ", "1 on A [open open] [100 101]"}));
}

TEST_F(CWKPTranslatorDamageTest, RefusesDatesThatAreNoDates) {
    const struct {
        double start;
        double end;
        ETranslatorResult result;
    } cases[] = {
        {40000.5, 40001.0, trOK},
        {40000.5, kNull, trOK},
        {-657434.0, 2958465.0, trOK},
        {40001.0, 40000.0, trOK},
        {kNaN, 40001.0, trDamaged},
        {kInfinity, 40001.0, trDamaged},
        {-kInfinity, kNull, trDamaged},
        {kNull, 40001.0, trDamaged},
        {kNull, kNull, trDamaged},
        {-657435.0, 40001.0, trDamaged},
        {2958466.0, kNull, trDamaged},
        {40000.0, kNaN, trDamaged},
        {40000.0, 1e300, trDamaged},
        {40000.0, -kInfinity, trDamaged},
        {40000.0, -693959.0000001, trDamaged},
        {40000.0, -657435.0, trDamaged},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + " " + std::to_string(c.end));
        CBytes file;
        file.Header().String("Dates").Record(true, "", {}, 1);
        file.Record(true, "A", {{30000.0, 30001.0}, {c.start, c.end}}, 0);
        CProjectState state;
        EXPECT_EQ(ReadFile(state, file.Get()).loaded, c.result);
        ExpectUsableDates(state);
        const CActivity* a = state.GetRootActivity()->GetFirstChild();
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->GetTallymarks().GetCount(), c.result == trOK ? 2u : 1u);
    }
}

TEST_F(CWKPTranslatorDamageTest, AbsurdCountsRunOutOfDataNotMemory) {
    // The index of the 4-byte field to overwrite: 1 project name length, 2 root name
    // length, 3 root tally-mark count, 4 root child count, 5 child name length.
    const struct {
        int field;
        uint32_t value;
    } cases[] = {
        {1, 0xFFFFFFFF}, {1, 0x7FFFFFFF}, {1, 200}, {2, 0xFFFFFFF0}, {3, 0x7FFFFFFF},
        {3, 3},          {4, 0x7FFFFFFF}, {4, 2},   {5, 0x80000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.field) + " " + std::to_string(c.value));
        CBytes file;
        file.Header().String("Counts").Record(true, "", {{100.0, 101.0}}, 1);
        file.Record(true, "A", {}, 0);
        std::string bytes = file.Get();
        bytes.replace(file.GetCountOffsets()[c.field], 4, CBytes().UInt(c.value).Get());
        CProjectState state;
        const SRead read = ReadFile(state, bytes);
        EXPECT_EQ(read.identified, trOK);
        EXPECT_EQ(read.loaded, trDamaged);
        EXPECT_LT(state.GetRootActivity()->GetTallymarks().GetCount(), 8u);
    }
}

// A chain of activities levels deep below the root.
std::string ChainFile(int levels) {
    CBytes file;
    file.Header().String("Deep");
    for (int level = 0; level <= levels; ++level) {
        file.Record(true, "L", {}, level < levels ? 1 : 0);
    }
    return file.Get();
}

TEST_F(CWKPTranslatorDamageTest, NestingIsBoundedAtAThousandLevels) {
    {
        CProjectState state;
        ASSERT_EQ(ReadFile(state, ChainFile(1000)).loaded, trOK);
        CActivity* deepest = state.GetRootActivity();
        while (deepest->GetFirstChild() != nullptr) {
            deepest = deepest->GetFirstChild();
        }
        EXPECT_EQ(deepest->GetDepth(), 1000);
        // Saving walks the same depth and gives the same bytes back.
        EXPECT_EQ(WriteFile(state), ChainFile(1000));
    }
    for (int levels : {1001, 200000}) {
        CProjectState state;
        EXPECT_EQ(ReadFile(state, ChainFile(levels)).loaded, trDamaged);
    }
}

// Deterministic pseudo-random numbers: the same mutations on every run and platform.
class CRandom {
public:
    explicit CRandom(uint32_t seed) : m_engine(seed) {}
    uint32_t Next() { return static_cast<uint32_t>(m_engine()); }
    // 0 .. count - 1; 0 when count is 0.
    std::size_t Below(std::size_t count) { return count == 0 ? 0 : Next() % count; }

private:
    std::mt19937 m_engine;
};

void Overwrite(std::string& bytes, std::size_t offset, const std::string& with) {
    if (offset + with.size() <= bytes.size()) {
        bytes.replace(offset, with.size(), with);
    }
}

// One to three damages of the kinds a disk, a transfer or a hostile hand makes.
std::string Mutate(const CBytes& sample, CRandom& random) {
    static const uint32_t counts[] = {0,          1,          2,          0xFFFFFFFF,
                                      0xFFFFFFFB, 0x7FFFFFFF, 0x80000000, 1000};
    static const double dates[] = {kNaN,  kInfinity, -kInfinity, 1e300,     -1e300,
                                   kNull, -657435.0, -657434.0,  2958465.0, 2958465.5,
                                   0.0,   -0.0,      5e-324,     40000.5};
    std::string bytes = sample.Get();
    const std::size_t steps = 1 + random.Below(3);
    for (std::size_t step = 0; step < steps; ++step) {
        switch (random.Below(6)) {
        case 0:
            bytes[random.Below(bytes.size())] ^= static_cast<char>(1 + random.Below(255));
            break;
        case 1: {
            std::string inserted(1 + random.Below(16), '\0');
            for (char& c : inserted) {
                c = static_cast<char>(random.Next());
            }
            bytes.insert(random.Below(bytes.size() + 1), inserted);
            break;
        }
        case 2:
            bytes.erase(random.Below(bytes.size()), 1 + random.Below(16));
            break;
        case 3:
            bytes.resize(random.Below(bytes.size() + 1));
            break;
        case 4: {
            const std::size_t offset =
                sample.GetCountOffsets()[random.Below(sample.GetCountOffsets().size())];
            const uint32_t value =
                random.Below(3) == 0 ? random.Next() : counts[random.Below(std::size(counts))];
            Overwrite(bytes, offset, CBytes().UInt(value).Get());
            break;
        }
        default: {
            const std::size_t offset =
                sample.GetDateOffsets()[random.Below(sample.GetDateOffsets().size())];
            Overwrite(bytes, offset, CBytes().Date(dates[random.Below(std::size(dates))]).Get());
            break;
        }
        }
        if (bytes.empty()) {
            break;
        }
    }
    return bytes;
}

TEST_F(CWKPTranslatorDamageTest, MutatedFilesLoadOrAreRefusedCleanly) {
    const CBytes sample = SampleFile();
    CRandom random(20240611);
    int outcomes[4][4] = {};
    for (int i = 0; i < 20000; ++i) {
        const std::string bytes = Mutate(sample, random);
        CProjectState state;
        const SRead read = ReadFile(state, bytes);
        ASSERT_GE(read.identified, trOK);
        ASSERT_LE(read.identified, trDamaged);
        if (read.identified == trOK) {
            ASSERT_TRUE(read.loaded == trOK || read.loaded == trDamaged) << i;
            if (read.loaded == trOK) {
                ExpectUsableDates(state);
                // What was accepted is written and read again unchanged.
                CProjectState again;
                ASSERT_EQ(ReadFile(again, WriteFile(state)).loaded, trOK) << i;
                ASSERT_EQ(DumpTree(again), DumpTree(state)) << i;
            }
        }
        ++outcomes[read.identified][read.loaded];
    }
    // The mutations reach every answer, so the loop exercised the reader throughout.
    EXPECT_GT(outcomes[trOK][trOK], 1000);
    EXPECT_GT(outcomes[trOK][trDamaged], 5000);
    EXPECT_GT(outcomes[trNotThisFormat][trNotThisFormat], 500);
    EXPECT_GT(outcomes[trNewerVersion][trNotThisFormat], 100);
    EXPECT_GT(outcomes[trDamaged][trNotThisFormat], 25);
}

} // namespace
