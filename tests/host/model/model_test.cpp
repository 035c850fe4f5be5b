// The host's model: the library, objects kept in the project file once per command, undo.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <utility>

#include "host_model_fixture.hpp"
#include "model/project.hpp"

namespace planhost_test {
namespace {

using planhost::Model;
using planhost::ObjectElement;
using ::testing::ElementsAre;

std::vector<std::u16string> Ids(const Model& model) {
    std::vector<std::u16string> ids;
    for (const ObjectElement& element : model.Elements()) ids.push_back(element.id);
    return ids;
}

TEST_F(HostModelTest, LibraryFoldersLoadInTheOrderGivenAndSkipPartsThatAreNotParts) {
    std::filesystem::create_directories(folder() / "own");
    std::ofstream(folder() / "own" / "Broken.gsm") << "{ not json";
    std::ofstream(folder() / "own" / "Bench.gsm")
        << R"({"name": "Bench", "parameters": [{"name": "rLength", "type": "length", "value": 2}]})";
    std::ofstream(folder() / "own" / "notes.txt") << "not a part";
    planhost::ModelOptions options = Options();
    options.libraryFolders = {(folder() / "own").string(), ShippedLibrary()};
    Model model(options);
    ASSERT_EQ(model.library().size(), 4);
    EXPECT_EQ(model.library().Find(1)->fileName, u"Bench.gsm");
    EXPECT_EQ(model.library().Find(2)->fileName, u"Piketmerk.gsm");
}

TEST_F(HostModelTest, AddGivesGuidOrderAndHostDefaultsAndRefusesWhatCannotBeStored) {
    auto model = Open();
    ObjectElement first = Stakemark(*model, u"1", 1, 2);
    first.layer = API_DefaultLayer;
    first.drawIndex = API_DrawOnTop;
    ASSERT_EQ(model->Add(first), NoError);
    EXPECT_EQ(first.layer, planhost::kHostDefaultLayer);
    EXPECT_EQ(first.part, "Stakemark.gsm");
    ObjectElement second = Stakemark(*model, u"2", 3, 4);
    second.drawIndex = 7;
    ASSERT_EQ(model->Add(second), NoError);
    ObjectElement third = Stakemark(*model, u"3", 3, 4);
    third.drawIndex = API_DrawOnTop;
    ASSERT_EQ(model->Add(third), NoError);
    EXPECT_EQ(third.drawIndex, 7);  // on top: the highest drawing level in use
    EXPECT_FALSE(first.guid == second.guid);
    EXPECT_EQ(model->Find(second.guid)->id, u"2");
    EXPECT_THAT(Ids(*model), ElementsAre(u"1", u"2", u"3"));

    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* what;
        void (*spoil)(ObjectElement&, double);
        double value;
        GSErrCode expected;
    };
    for (const Case& c : {
             Case{"x inf", [](ObjectElement&e, double v) { e.x = v; }, inf, APIERR_BADVALUE},
             Case{"y nan", [](ObjectElement&e, double v) { e.y = v; }, nan, APIERR_BADVALUE},
             Case{"z -inf", [](ObjectElement&e, double v) { e.z = v; }, -inf, APIERR_BADVALUE},
             Case{"a nan", [](ObjectElement&e, double v) { e.a = v; }, nan, APIERR_BADVALUE},
             Case{"no part", [](ObjectElement&e, double) { e.libInd = 99; }, 0, APIERR_BADINDEX},
             Case{"layer", [](ObjectElement&e, double) { e.layer = -2; }, 0, APIERR_BADPARS},
         }) {
        ObjectElement bad = Stakemark(*model, u"9", 0, 0);
        c.spoil(bad, c.value);
        EXPECT_EQ(model->Add(bad), c.expected) << c.what;
        ObjectElement moved = *model->Find(first.guid);
        c.spoil(moved, c.value);
        EXPECT_EQ(model->Replace(moved), c.expected) << c.what;
    }
    EXPECT_EQ(model->Elements().size(), 3u);
    EXPECT_EQ(model->Find(first.guid)->x, 1);
}

TEST_F(HostModelTest, EqualParameterListsAreSharedAndKeptOnce) {
    auto model = Open();
    const planhost::ParameterList& defaults = model->library().Find(2)->parameters;
    planhost::SharedParameters a = model->ShareParameters(defaults);
    planhost::SharedParameters b = model->ShareParameters(defaults);
    EXPECT_EQ(a.get(), b.get());
    planhost::ParameterList changed = defaults;
    changed.front().text = u"Cross in Circle";
    EXPECT_NE(model->ShareParameters(changed).get(), a.get());
}

// Steps kept by an earlier run come back newest first, more than one in the same run; a project
// opened for reading in between is never written.
TEST_F(HostModelTest, StoredStepsAreTakenBackNewestFirstAndAReaderCannotCommit) {
    {
        auto model = Open();
        for (const auto& [id, step] : {std::pair{u"1", "First"}, std::pair{u"2", "Second"}}) {
            model->BeginUndoStep(step);
            ObjectElement element = Stakemark(*model, id, 1, 1);
            ASSERT_EQ(model->Add(element), NoError);
            model->EndUndoStep(true);
        }
        model->Commit();
    }
    {
        planhost::ModelOptions options = Options();
        options.access = planhost::ProjectAccess::kRead;
        Model reader(options);
        ObjectElement unsaved = Stakemark(reader, u"3", 2, 2);
        ASSERT_EQ(reader.Add(unsaved), NoError);
        EXPECT_THROW(reader.Commit(), std::runtime_error);
    }
    {
        auto model = Open();
        EXPECT_EQ(model->Undo(), "Second");
        EXPECT_THAT(Ids(*model), ElementsAre(u"1"));
        EXPECT_EQ(model->Undo(), "First");
        EXPECT_EQ(model->Undo(), std::nullopt);
        model->Commit();
    }
    auto model = Open();
    EXPECT_TRUE(model->Elements().empty());
    EXPECT_EQ(model->Undo(), std::nullopt);
}

TEST_F(HostModelTest, FailedStepIsRolledBackAndNestedStepsJoinTheOuterOne) {
    auto model = Open();
    ObjectElement kept = Stakemark(*model, u"1", 1, 1);
    ASSERT_EQ(model->Add(kept), NoError);
    model->Commit();
    model->BeginUndoStep("Create text");
    ObjectElement lost = Stakemark(*model, u"2", 2, 2);
    ASSERT_EQ(model->Add(lost), NoError);
    ObjectElement moved = kept;
    moved.x = 50;
    ASSERT_EQ(model->Replace(moved), NoError);
    model->EndUndoStep(false);
    EXPECT_THAT(Ids(*model), ElementsAre(u"1"));
    EXPECT_EQ(model->Find(kept.guid)->x, 1);

    model->BeginUndoStep("Outer");
    model->BeginUndoStep("Inner");
    ObjectElement inner = Stakemark(*model, u"3", 3, 3);
    ASSERT_EQ(model->Add(inner), NoError);
    model->EndUndoStep(true);
    EXPECT_TRUE(model->InUndoStep());
    model->EndUndoStep(true);
    EXPECT_EQ(model->Undo(), "Outer");
    EXPECT_THAT(Ids(*model), ElementsAre(u"1"));
}

}  // namespace
}  // namespace planhost_test
