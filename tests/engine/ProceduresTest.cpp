#include <gtest/gtest.h>

#include "TestSupport.h"

namespace dualis {
namespace {

using test::Lines;

struct Expected {
    std::string Name;
    int16_t Status;
    std::array<int32_t, 2> FirstRaw, LastRaw;
};

void ExpectRecords(const ComparisonState& st, const std::vector<Expected>& expected) {
    ASSERT_EQ(st.ProcCount(), static_cast<int32_t>(expected.size()));
    for (size_t k = 0; k < expected.size(); ++k) {
        const ProcRecord& r = st.ProcStack[k + 1];
        SCOPED_TRACE("record " + std::to_string(k + 1));
        EXPECT_EQ(r.TrueProcName, expected[k].Name);
        EXPECT_EQ(r.FirstRaw, expected[k].FirstRaw);
        EXPECT_EQ(r.LastRaw, expected[k].LastRaw);
        // Matching may only turn an equal status into changed.
        if (expected[k].Status == ProcEqual) {
            EXPECT_TRUE(r.Status == ProcEqual || r.Status == ProcChanged);
        } else {
            EXPECT_EQ(r.Status, expected[k].Status);
        }
    }
}

const std::string kModule =
    Lines({"Option Explicit", "Sub A()", "End Sub", "", "Sub B()", "End Sub"});

TEST(LoadProcStack, IdenticalFilesPairEveryRecord) {
    const ComparisonState st = test::CompareTexts(kModule, kModule);
    ExpectRecords(st, {{"(General)", ProcEqual, {1, 1}, {1, 1}},
                       {"A", ProcEqual, {2, 2}, {4, 4}},
                       {"B", ProcEqual, {5, 5}, {6, 6}}});
    EXPECT_EQ(st.ProcStack[1].LCaseProcName, "");
    EXPECT_EQ(st.ProcStack[2].LCaseProcName, "a");
    EXPECT_EQ(st.MaxProcLines, 3);
    for (int32_t p = 1; p <= 3; ++p) EXPECT_EQ(st.ProcStack[p].Status, ProcEqual);
}

TEST(LoadProcStack, RenamedMovedAndCaseChangedProcedures) {
    const ComparisonState st = test::CompareTexts(
        kModule, Lines({"Option Explicit", "sub b()", "End Sub", "Sub C()", "End Sub"}));
    ExpectRecords(st, {{"(General)", ProcEqual, {1, 1}, {1, 1}},
                       {"A", ProcDeleted, {2, 0}, {4, 0}},
                       {"B", ProcEqual, {5, 2}, {6, 3}},
                       {"C", ProcAdded, {0, 4}, {0, 5}}});
    EXPECT_EQ(st.ProcStack[3].TrueProcName, "B");  // File 1's spelling wins
}

TEST(LoadProcStack, DeclarationsOnlyInOneFile) {
    const ComparisonState st = test::CompareTexts(kModule, Lines({"Sub A()", "End Sub"}));
    EXPECT_EQ(st.ProcStack[1].Status, ProcDeleted);
    EXPECT_EQ(st.ProcStack[1].FirstCooked[1], 0);
    const ComparisonState back =
        test::CompareTexts(Lines({"Sub A()"}), Lines({"Dim x", "Sub A()"}));
    ExpectRecords(back,
                  {{"A", ProcEqual, {1, 2}, {1, 2}}, {"(General)", ProcAdded, {0, 1}, {0, 1}}});
}

TEST(LoadProcStack, EmptyFiles) {
    const ComparisonState both = test::CompareTexts("", "");
    ExpectRecords(both, {{"(General)", ProcEqual, {0, 0}, {0, 0}}});
    EXPECT_EQ(both.ProcStack[1].Status, ProcEqual);
    const ComparisonState first = test::CompareTexts("", kModule);
    for (int32_t p = 1; p <= first.ProcCount(); ++p)
        EXPECT_EQ(first.ProcStack[p].Status, ProcAdded);
}

TEST(LoadProcStack, LeftOutLinesBelongToTheProcedureAboveOrToNone) {
    CompareOptions o;
    o.IgnoreComments = true;
    const std::string text = Lines({"' header comment", "Sub A()", "End Sub", "' trailing"});
    const ComparisonState st = test::CompareTexts(text, text, o);
    ExpectRecords(st, {{"A", ProcEqual, {2, 2}, {4, 4}}});
}

TEST(LoadProcStack, PropertyProceduresAreSeparateRecords) {
    const std::string text =
        Lines({"Property Get X()", "End Property", "Property Let X(v)", "End Property"});
    const ComparisonState st = test::CompareTexts(text, text);
    ASSERT_EQ(st.ProcCount(), 2);
    EXPECT_EQ(st.ProcStack[1].TrueProcName, "X [PropertyGet]");
    EXPECT_EQ(st.ProcStack[2].LCaseProcName, "x [propertylet]");
}

TEST(LoadProcStack, DuplicateNamesKeepEveryRangeConsistent) {
    // Two A's in File 1, three in File 2: the first two pair in order, the third is new.
    const ComparisonState st =
        test::CompareTexts(Lines({"Sub A()", "x", "Sub A()", "y"}),
                           Lines({"Sub A()", "x", "Sub A()", "y", "Sub A()", "z"}));
    ExpectRecords(st, {{"A", ProcEqual, {1, 1}, {2, 2}},
                       {"A", ProcEqual, {3, 3}, {4, 4}},
                       {"A", ProcAdded, {0, 5}, {0, 6}}});
}

TEST(LoadProcStack, ARecordNamedLikeTheDeclarationsStillPairsSafely) {
    const ComparisonState st =
        test::CompareTexts(Lines({"Sub (General)", "x"}), Lines({"Dim y", "Sub (General)", "x"}));
    ExpectRecords(
        st, {{"(General)", ProcEqual, {1, 1}, {2, 1}}, {"(General)", ProcAdded, {0, 2}, {0, 3}}});
}

}  // namespace
}  // namespace dualis
